// The class limits worked out by hand from the formulas of the public survey rules and the cadastral
// precision classes, and the judgement of a traverse against them.
#include "TrvsFixture.h"

#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/SurveyClass.h"
#include "core/traverse/TrvsBlunderLocation.h"
#include "core/traverse/TrvsJudgement.h"
#include "core/traverse/TrvsResults.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

SurveyClass Parsed(const char* text) {
    auto c = ParseSurveyClass(text);
    EXPECT_TRUE(c) << text;
    return c.value_or(SurveyClass{});
}

// Route and loop formulas by hand, e.g. 4級, N = 6, ΣS = 0.30 km:
// 150 + 100 × √6 × 0.30 = 150 + 73.485 = 223.485 mm.
TEST(SurveyClassLimits, PublicRulesClosuresByHand) {
    EXPECT_NEAR(RouteClosureLimitMm(4, 6, 0.30), 223.5, 0.05);
    // 1級 N = 9, ΣS = 2.5 km: 100 + 20 × 3 × 2.5 = 250 mm.
    EXPECT_NEAR(RouteClosureLimitMm(1, 9, 2.5), 250.0, 1e-9);
    // 2級 N = 4, ΣS = 1.2: 100 + 30 × 2 × 1.2 = 172; 3級 N = 16, ΣS = 0.8: 150 + 50 × 4 × 0.8 = 310.
    EXPECT_NEAR(RouteClosureLimitMm(2, 4, 1.2), 172.0, 1e-9);
    EXPECT_NEAR(RouteClosureLimitMm(3, 16, 0.8), 310.0, 1e-9);
    // Heights: 200 + b ΣS / √N; 3級 N = 4, ΣS = 1.2: 200 + 150 × 0.6 = 290; 4級: 200 + 300 × 0.6 = 380.
    EXPECT_NEAR(RouteHeightLimitMm(3, 4, 1.2), 290.0, 1e-9);
    EXPECT_NEAR(RouteHeightLimitMm(4, 4, 1.2), 380.0, 1e-9);
    EXPECT_NEAR(RouteHeightLimitMm(1, 25, 5.0), 250.0, 1e-9);
    // Unit polygon: 2級 n = 9, ΣS = 3: 15 × 3 × 3 = 135; heights 100 × 3 / 3 = 100.
    EXPECT_NEAR(LoopClosureLimitMm(2, 9, 3.0), 135.0, 1e-9);
    EXPECT_NEAR(LoopHeightLimitMm(2, 9, 3.0), 100.0, 1e-9);
    EXPECT_NEAR(LoopClosureLimitMm(4, 4, 0.5), 50.0, 1e-9);
    EXPECT_NEAR(LoopHeightLimitMm(1, 4, 0.5), 12.5, 1e-9);
    EXPECT_EQ(ReverseHeightLimitMm(1), 300);
    EXPECT_EQ(ReverseHeightLimitMm(4), 100);
}

TEST(SurveyClassLimits, ObservationLimitsByGradeAndInstrument) {
    const ObservationLimits first = GradeObservationLimits(1, false);
    EXPECT_EQ(first.doubleAngleSeconds, 15);
    EXPECT_EQ(first.observationSeconds, 8);
    EXPECT_EQ(first.heightConstantSeconds, 10);
    EXPECT_EQ(GradeObservationLimits(2, true).doubleAngleSeconds, 20);
    EXPECT_EQ(GradeObservationLimits(2, true).heightConstantSeconds, 15);
    EXPECT_EQ(GradeObservationLimits(2, false).observationSeconds, 20);
    EXPECT_EQ(GradeObservationLimits(3, false).doubleAngleSeconds, 30);
    const ObservationLimits fourth = GradeObservationLimits(4, false);
    EXPECT_EQ(fourth.doubleAngleSeconds, 60);
    EXPECT_EQ(fourth.observationSeconds, 40);
    EXPECT_EQ(fourth.heightConstantSeconds, 60);
    EXPECT_EQ(fourth.distanceSpreadMm, 20);
}

// 国土調査法施行令 別表第四 at S = 124.999 m (√S = 11.18030) and F = 200 m² (√F = 14.14214, ⁴√F = 3.76060).
TEST(SurveyClassLimits, CadastralTolerancesByHand) {
    EXPECT_NEAR(CadastralDistanceToleranceM(1, 124.999), 0.1518, 0.00005); // 0.04 + 0.01 √S
    EXPECT_NEAR(CadastralDistanceToleranceM(3, 124.999), 0.5772, 0.00005); // 0.13 + 0.04 √S
    EXPECT_NEAR(CadastralDistanceToleranceM(5, 124.999), 2.0652, 0.00005); // 0.50 + 0.14 √S
    EXPECT_NEAR(CadastralDistanceToleranceM(0, 100.0), 0.050, 1e-12);      // 0.020 + 0.003 × 10
    EXPECT_NEAR(CadastralAreaToleranceM2(1, 200.0), 1.2389, 0.00005);      // (0.05 + 0.01 ⁴√F) √F
    EXPECT_NEAR(CadastralAreaToleranceM2(3, 10000.0), 50.0, 1e-9);         // (0.10 + 0.04 × 10) × 100
    EXPECT_NEAR(CadastralAreaToleranceM2(0, 10000.0), 5.5, 1e-9);          // (0.025 + 0.003 × 10) × 100
    EXPECT_NEAR(CadastralPositionToleranceM(1), 0.20, 1e-12);
    EXPECT_NEAR(CadastralPositionMeanSquareM(5), 1.00, 1e-12);
    EXPECT_EQ(Cp932ToUtf8(CadastralClassName(4)), "乙二");
}

TEST(SurveyClassLimits, ClassesAsSurveyorsWriteThem) {
    EXPECT_EQ(Parsed("4").index, 4);
    EXPECT_EQ(Parsed("3級").kind, SurveyClass::Kind::Grade);
    EXPECT_TRUE(Parsed("2-1").firstGradeInstrument);
    EXPECT_EQ(Parsed("甲二").index, 1);
    EXPECT_EQ(Parsed("乙3").index, 5);
    EXPECT_EQ(Parsed("乙１").index, 3);
    EXPECT_EQ(Parsed(Jp("甲三").c_str()).index, 2); // CP932 from a settings file
    const SurveyClass user = Parsed("user:5000:20");
    EXPECT_EQ(user.kind, SurveyClass::Kind::User);
    EXPECT_EQ(user.minRatio, 5000);
    EXPECT_EQ(Parsed("").kind, SurveyClass::Kind::None);
    for (const char* wrong : {"5", "0", "丙一", "甲四", "user:5000", "user:0:20", "4級x", "3-1"}) {
        EXPECT_FALSE(ParseSurveyClass(wrong)) << wrong;
    }
    for (const char* key : {"1", "2-1", "4", "甲一", "乙三", "user:3000:15"}) {
        const SurveyClass c = Parsed(key);
        EXPECT_EQ(ParseSurveyClass(SurveyClassKey(c)), c) << key;
    }
}

// A connected traverse of three legs of 100 m, north, east and north again from (-35000, 12000), whose
// end point was given 0.150 m east of where the legs lead: N = 3, ΣS = 0.3 km.  4級 allows 150 + 100 √3 × 0.3 = 202.0
// mm, 1級 only 100 + 20 √3 × 0.3 = 110.4 mm.
struct BentRun : TrvsFixture {
    explicit BentRun(const char* endY = "12100.150") {
        Start(kTrvsConnected, "K1", "-35000.000", "12000.000", "B", "180.0000", false);
        header.T2No = "K2";
        header.T2X = "-34800.000";
        header.T2Y = endY;
        header.T3No = "C";
        header.T3Angle = "0.0000";
        header.endIncoming = false;
        Row("T", "P1", "180.0000", "90.0000", "100.000");
        Row("T", "P2", "270.0000", "90.0000", "100.000");
        Row("T", "K2", "90.0000", "90.0000", "100.000");
        Row("T", "C", "180.0000", "90.0000", "");
    }
};

TEST(TraverseJudgement, ConnectedRouteAgainstGrades) {
    BentRun f;
    const auto adjusted = AdjustTraverse(f.Input());
    ASSERT_TRUE(adjusted);
    const TrvsJudgement fourth = JudgeTraverse(Parsed("4"), *adjusted);
    EXPECT_EQ(fourth.sides, 3);
    EXPECT_NEAR(fourth.routeKm, 0.3, 1e-9);
    ASSERT_FALSE(fourth.items.empty());
    EXPECT_NEAR(fourth.items[0].value, 150.0, 0.01);
    EXPECT_NEAR(*fourth.items[0].limit, 202.0, 0.05);
    EXPECT_TRUE(fourth.Pass());
    const TrvsJudgement first = JudgeTraverse(Parsed("1"), *adjusted);
    EXPECT_NEAR(*first.items[0].limit, 110.4, 0.05);
    EXPECT_FALSE(first.Pass());
    const std::string failure = Cp932ToUtf8(FailureText(first));
    EXPECT_EQ(failure, "位置の閉合差 150 mm（制限 110 mm）");
    const std::vector<std::string> lines = Utf8Lines(JudgementLines(first));
    EXPECT_EQ(lines.front(), "精度の判定  1級基準点測量");
    EXPECT_EQ(lines.back(), "判定  不適");
    // The rules set no limit for the angle misclosure: shown without one.
    for (const TrvsJudgement::Item& item : first.items) {
        EXPECT_EQ(item.limit.has_value(), item.figure == TrvsJudgement::Figure::Position);
    }
    // 甲二 tolerates 0.20 m of position error, 甲一 0.06 m.
    EXPECT_TRUE(JudgeTraverse(Parsed("甲二"), *adjusted).Pass());
    EXPECT_FALSE(JudgeTraverse(Parsed("甲一"), *adjusted).Pass());
    // An office rule of 1 / 5000: 300 / 0.150 = 1 / 2000 fails; without a class 1 / 2000 passes 1 / 1000.
    EXPECT_FALSE(JudgeTraverse(Parsed("user:5000:10"), *adjusted).Pass());
    EXPECT_TRUE(JudgeTraverse(SurveyClass{}, *adjusted).Pass());
}

// A 10 m distance blunder on the eastward leg: the gross check fails, and the leg is named with its size.
TEST(TraverseJudgement, FailingTraverseNamesItsBlunder) {
    BentRun f("12100.000");
    f.rows[1][kTrvColSlope] = "110.000";
    f.table.SetRows(f.rows, "K");
    const auto adjusted = AdjustTraverse(f.Input());
    ASSERT_TRUE(adjusted);
    const auto route = RouteOf(f.Input(), *adjusted);
    ASSERT_TRUE(route);
    const TrvsJudgement j = JudgeTraverse(SurveyClass{}, *adjusted, &*route);
    EXPECT_FALSE(j.Pass());
    EXPECT_EQ(Cp932ToUtf8(BlunderText(j, *route)), "測点 P1 から P2 の距離に約 +10.000 m の誤りがある可能性があります");
}

} // namespace
} // namespace vemo::test
