// Constant-area division by both methods against figures worked out independently: the exact cut
// found by clipping the parcel with half-planes (a different construction from the program's walk
// along the ring), every millimetre position of the new points near it tried in pairs, and the areas
// summed exactly in square millimetres.
#include "support/ErrorMessage.h"

#include "core/division/ParallelDivision.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

using Names = std::vector<std::string>;

// Points 1..4 of the 10 m square, 11..14 of an irregular quadrilateral of 1175 m².
struct DivisionSite : ::testing::Test {
    DivisionSite() {
        store.xyz.ReplaceAll({{"", "1", "0.000", "0.000"},
                              {"", "2", "10.000", "0.000"},
                              {"", "3", "10.000", "10.000"},
                              {"", "4", "0.000", "10.000"},
                              {"", "11", "0.000", "0.000"},
                              {"", "12", "5.000", "30.000"},
                              {"", "13", "40.000", "25.000"},
                              {"", "14", "35.000", "-10.000"}});
    }
    DivisionParcel Square() const { return LoadDivisionParcel({"1", "2", "3", "4", "1"}, store.Index()); }
    DivisionParcel Quad() const { return LoadDivisionParcel({"11", "12", "13", "14"}, store.Index()); }
    Store store;
};

void ExpectPoint(PlanePoint actual, PlanePoint expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST_F(DivisionSite, OnePointMethodPlacesP1OnTheFanEdge) {
    const struct {
        DivisionParcel parcel;
        double target;
        PlanePoint p1;
        Names secured, remainder;
        double securedArea, remainderArea;
    } cases[] = {
        {Square(), 25, {10, 5}, {"1", "2", "P1Tmp", "1"}, {"1", "P1Tmp", "3", "4", "1"}, 25, 75},
        // The area, not the 地積 truncated to 0.01 m², holds the target: 5 × 5.0006 rounds up to 5.001.
        {Square(), 25.003, {10, 5.001}, {"1", "2", "P1Tmp", "1"}, {"1", "P1Tmp", "3", "4", "1"}, 25.005, 74.995},
        // The exact point (24.53488.., 27.20930..) on 12 -> 13 holds 300 m²; rounded it holds a hair more.
        {Quad(),
         300,
         {24.535, 27.209},
         {"11", "12", "P1Tmp", "11"},
         {"11", "P1Tmp", "13", "14", "11"},
         300.0025,
         874.9925},
    };
    for (const auto& c : cases) {
        const DivisionResult r = DivideFromFirstPoint(c.parcel, c.target);
        ExpectPoint(r.p1, c.p1);
        EXPECT_FALSE(r.p2);
        EXPECT_EQ(r.secured.names, c.secured);
        EXPECT_EQ(r.remainder.names, c.remainder);
        EXPECT_NEAR(r.secured.figures.area, c.securedArea, 1e-9);
        EXPECT_NEAR(r.remainder.figures.area, c.remainderArea, 1e-9);
        EXPECT_GE(r.secured.figures.area, c.target);
    }
    const DivisionParcel square = Square();
    const DivisionResult r = DivideFromFirstPoint(square, 25);
    EXPECT_EQ(PartPoints(square, r, r.remainder), (std::vector<PlanePoint>{{0, 0}, r.p1, {10, 10}, {0, 10}, {0, 0}}));
}

// North-south and east-west lines through the square (the east-west one has no east intercept), and
// an oblique line through the quadrilateral secured from either extreme vertex.
TEST_F(DivisionSite, ParallelMethodMovesTheLineUntilTheTargetIsSecured) {
    const auto& q = Quad().points;
    const double oblique = DividingDirection(q[0], q[1], 30.1500);
    const struct {
        DivisionParcel parcel;
        double direction;
        int start;
        double target;
        PlanePoint p1, p2;
        Names secured, remainder;
        double securedArea, remainderArea;
    } cases[] = {
        {Square(),
         DividingDirection({0, 0}, {10, 0}, 0),
         0,
         30,
         {10, 3},
         {0, 3},
         {"1", "2", "P1Tmp", "P2Tmp", "1"},
         {"3", "4", "P2Tmp", "P1Tmp", "3"},
         30,
         70},
        {Square(),
         DividingDirection({0, 0}, {10, 0}, 90.0000),
         0,
         30,
         {3, 0},
         {3, 10},
         {"1", "P1Tmp", "P2Tmp", "4", "1"},
         {"2", "3", "P2Tmp", "P1Tmp", "2"},
         30,
         70},
        {Quad(),
         oblique,
         2,
         400,
         {33.370, -9.534},
         {19.126, 27.982},
         {"13", "14", "P1Tmp", "P2Tmp", "13"},
         {"11", "12", "P2Tmp", "P1Tmp", "11"},
         400.006688,
         774.988312},
        {Quad(),
         oblique,
         0,
         400,
         {8.308, 29.527},
         {21.893, -6.255},
         {"11", "12", "P1Tmp", "P2Tmp", "11"},
         {"13", "14", "P2Tmp", "P1Tmp", "13"},
         400.0030755,
         774.9869245},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        const DivisionResult r = DivideParallel(c.parcel, c.direction, c.start, c.target);
        ExpectPoint(r.p1, c.p1);
        ASSERT_TRUE(r.p2);
        ExpectPoint(*r.p2, c.p2);
        EXPECT_EQ(r.secured.names, c.secured);
        EXPECT_EQ(r.remainder.names, c.remainder);
        EXPECT_NEAR(r.secured.figures.area, c.securedArea, 1e-9);
        EXPECT_NEAR(r.remainder.figures.area, c.remainderArea, 1e-9);
        EXPECT_GE(r.secured.figures.area, c.target);
    }
}

// A site in plane rectangular coordinates, divided in every kind of direction (due north, due
// east-west, a hair off east-west, oblique) from either extreme vertex: the start side always holds
// the target, at most the sliver of one millimetre step of a line across the parcel more, and the two
// parts share the parcel between them up to the rounding of the new points.
TEST(ParallelDivision, SecuresTheTargetOnTheStartSideInEveryDirection) {
    DivisionParcel site;
    site.names = {"K1", "K2", "K3", "K4", "K5", "K6"};
    site.points = {{-35012.345, 12003.210}, {-35020.118, 12040.551}, {-34990.762, 12071.903},
                   {-34951.406, 12060.004}, {-34948.889, 12019.777}, {-34975.250, 11998.631}};
    site.area = MillimetreRingFigures(site.points).area;
    const double sliver = 0.002 * 100; // m²: 2 mm across a line of at most 100 m
    for (double direction : {0.0, 30.0, 90.0, 135.0, 179.9999, 270.0, -45.0, 89.99999}) {
        const ExtremeVertices extremes = FindExtremeVertices(site, direction);
        for (int start : {extremes.max, extremes.min}) {
            const int far = start == extremes.max ? extremes.min : extremes.max;
            for (double share : {0.1, 0.5, 0.9}) {
                SCOPED_TRACE(testing::Message() << direction << " from " << start << " share " << share);
                const double target = site.area * share;
                const DivisionResult r = DivideParallel(site, direction, start, target);
                EXPECT_GE(r.secured.figures.area, target);
                EXPECT_LT(r.secured.figures.area, target + sliver);
                EXPECT_NEAR(r.secured.figures.area + r.remainder.figures.area, site.area, sliver);
                EXPECT_EQ(r.secured.names.front(), site.names[start]);
                EXPECT_EQ(r.remainder.names.front(), site.names[far]);
            }
        }
    }
}

// The start snaps to the nearer extreme vertex across the line; equally near ones give the max vertex.
TEST_F(DivisionSite, StartSnapsToTheNearerExtremeVertex) {
    const DivisionParcel square = Square();
    const double northward = DividingDirection({0, 0}, {10, 0}, 0);
    const double eastward = DividingDirection({0, 0}, {10, 0}, 90.0000);
    const struct {
        double direction;
        PlanePoint typed;
        int start;
    } cases[] = {
        {northward, {10, 0}, 2}, // 10 m from both (0, 0) and (10, 10): the max vertex
        {northward, {1, 1}, 0},  {northward, {9, 8}, 2},
        {eastward, {10, 10}, 1}, // east-west line: vertices ordered by X, (10, 0) the first northernmost
        {eastward, {1, 9}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SnapStartVertex(square, c.direction, c.typed), c.start) << c.typed.x << "," << c.typed.y;
    }
    // A run from the fields uses the snapped start: typed at point 2 (10, 0), the secured side is
    // the one of (10, 10), north of the line Y = 7.
    const DivisionResult r = DivideParallel(square, 30, {"1", "2", 0, "2"}, store.Index());
    ExpectPoint(r.p1, {0, 7});
    ExpectPoint(*r.p2, {10, 7});
    EXPECT_EQ(r.secured.names, (Names{"3", "4", "P1Tmp", "P2Tmp", "3"}));
}

TEST_F(DivisionSite, RefusesWhatCannotBeDivided) {
    const DivisionParcel square = Square();
    const char* impossible = "分割面積が確保できません";
    for (double target : {0.0, 0.00009, 100.0, 150.0}) {
        EXPECT_EQ(MessageOf([&] { DivideFromFirstPoint(square, target); }), impossible) << target;
        EXPECT_EQ(MessageOf([&] { DivideParallel(square, 0, 0, target); }), impossible) << target;
    }
    // The fields are checked in order after the target; their names must be points of the list.
    const struct {
        double target;
        ParallelFields fields;
        const char* message;
    } fieldCases[] = {
        {0, {"", "", 0, ""}, impossible},
        {30, {"1", "", 0, "1"}, "基準線未入力！"},
        {30, {"1", "2", 0, ""}, "始点未入力！"},
        {30, {"1", "2", 0, "X9"}, "X9 は見つかりません"},
    };
    for (const auto& c : fieldCases) {
        EXPECT_EQ(MessageOf([&] { DivideParallel(square, c.target, c.fields, store.Index()); }), c.message);
    }
    // Thinner than the strip the first coarse step leaves at the start corner.
    EXPECT_EQ(MessageOf([&] { DivideParallel(square, 0, 0, 0.001); }), impossible);
    EXPECT_EQ(MessageOf([&] { LoadDivisionParcel({"1", "2", "", "1"}, store.Index()); }), "分割元地を入力してください");
    EXPECT_EQ(MessageOf([&] { LoadDivisionParcel({"1", "2", "X9"}, store.Index()); }), "X9 は見つかりません");
    EXPECT_EQ(MessageOf([&] { DividingDirection({1, 1}, {1, 1}, 0); }), "基準線の2点が同じ位置です");
    EXPECT_TRUE(IsDividingAngle(179.5959));
    EXPECT_FALSE(IsDividingAngle(180.0000));
}

TEST(DivisionAreaTexts, TruncateLotAreaAndTsubo) {
    const auto texts = DivisionAreaTexts(MillimetreRingFigures({{0, 0}, {1, 0}, {1, 100.009}, {0, 100.009}}));
    EXPECT_EQ(Cp932ToUtf8(texts[0]), "面積 :    100.0090000 ㎡");
    EXPECT_EQ(Cp932ToUtf8(texts[1]), "地積 :    100.00 ㎡");
    EXPECT_EQ(Cp932ToUtf8(texts[2]), "坪数 :     30.25 坪");
    // 0.29 m² has no exact binary form: a truncation of the binary area would show 0.28.
    EXPECT_EQ(Cp932ToUtf8(DivisionAreaTexts(MillimetreRingFigures({{0, 0}, {0.29, 0}, {0.29, 1}, {0, 1}}))[1]),
              "地積 :      0.29 ㎡");
}

} // namespace
} // namespace vemo::test
