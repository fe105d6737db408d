// Two-point and Helmert fits against figures worked out independently of the program.
#include "support/ErrorMessage.h"
#include "support/Utf8Lines.h"

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/transform/TransformReport.h"
#include "core/transform/Transformation.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

std::vector<ControlPair> Pairs(std::initializer_list<std::pair<PlanePoint, PlanePoint>> points) {
    std::vector<ControlPair> pairs;
    int n = 0;
    for (const auto& [oldPoint, newPoint] : points) {
        ++n;
        pairs.push_back({"O" + std::to_string(n), "N" + std::to_string(n), oldPoint, newPoint});
    }
    return pairs;
}

// Two-point results are rounded to millimetres (stored a hair above the decimal).
void ExpectMillimetre(PlanePoint actual, PlanePoint expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6);
    EXPECT_NEAR(actual.y, expected.y, 1e-6);
}

// The old base line runs north and the new one east: a quarter turn clockwise.  Swapping the systems
// turns it back anticlockwise, which must neither lose the sign nor map the first point elsewhere.
TEST(TwoPointTransform, TurnsAndShiftsOntoTheNewBaseLine) {
    struct Case {
        std::vector<ControlPair> pairs;
        double theta, x0, y0;
        PlanePoint from, to;
        const char* angleLine;
    } cases[] = {
        {Pairs({{{0, 0}, {100, 100}}, {{10, 0}, {100, 110}}}),
         90,
         100,
         100,
         {5, 0},
         {100, 105},
         "X0 =     100.000          θ =  90-00-00"},
        {Pairs({{{100, 100}, {0, 0}}, {{100, 110}, {10, 0}}}),
         -90,
         -100,
         100,
         {100, 105},
         {5, 0},
         "X0 =    -100.000          θ = -90-00-00"},
    };
    for (const Case& c : cases) {
        const Transformation t = FitTransformation(TransformMethod::TwoPoint, c.pairs);
        EXPECT_EQ(t.method, TransformMethod::TwoPoint);
        EXPECT_DOUBLE_EQ(t.theta, c.theta);
        EXPECT_NEAR(t.x0, c.x0, 1e-9);
        EXPECT_NEAR(t.y0, c.y0, 1e-9);
        ExpectMillimetre(t.Apply(c.pairs[0].oldPoint), c.pairs[0].newPoint);
        ExpectMillimetre(t.Apply(c.from), c.to);
        const auto memo = Utf8(TransformReport(t, c.pairs));
        ASSERT_EQ(memo.size(), 5u);
        EXPECT_EQ(memo[1], "平行移動距離              回転角");
        EXPECT_EQ(memo[3], c.angleLine);
        EXPECT_EQ(Cp932ToUtf8(TransformCaption(t.method)), "- 2点変換 -");
    }
}

// Minutes and seconds stay in 00-59 whatever the sign; a rotation below one degree keeps its sign; the
// rotation is shown reduced to (-180, 180]: +0°12′02″ across north (αN 0°06′01″, αO 359°53′59″) is
// no near full turn.
TEST(TwoPointTransform, ReportShowsSignedRotationInWholeSeconds) {
    const struct {
        double theta;
        const char* text;
    } cases[] = {{-0.5, " -0-30-00"},
                 {-30.2525, "-30-15-09"},
                 {359.99999, "  0-00-00"},
                 {0.1002777778 - 359.8997222222, "  0-12-02"},
                 {190, "-170-00-00"},
                 {-180, "180-00-00"},
                 {540.25, "-179-45-00"},
                 {-0.0000001, "  0-00-00"},
                 {12.5, " 12-30-00"},
                 // At the half turn the rounding decides: -179°59′59.7″ shows as the half turn, which
                 // in (-180, 180] is +180; -179°59′59.4″ stays below it.
                 {-(179 + 59 / 60.0 + 59.7 / 3600), "180-00-00"},
                 {179 + 59 / 60.0 + 59.6 / 3600, "180-00-00"},
                 {-(179 + 59 / 60.0 + 59.4 / 3600), "-179-59-59"},
                 {180 + 0.3 / 3600, "180-00-00"},
                 {180 + 0.6 / 3600, "-179-59-59"}};
    for (const auto& c : cases) {
        Transformation t;
        t.theta = c.theta;
        const auto memo = Utf8(TransformReport(t, {}));
        EXPECT_EQ(memo[3], std::string("X0 =       0.000          θ = ") + c.text) << c.theta;
    }
}

// Six pairs from a site in plane rectangular coordinates, turned by about half a degree with a scale
// of 1.00001 and a few millimetres of noise.  Expected figures: exact rational least squares over
// the full 12 x 4 design matrix (not the program's closed form).
TEST(HelmertTransform, FitsSixPairsByLeastSquares) {
    const auto pairs = Pairs({{{-12345.678, 23456.789}, {-12200.026, 23228.392}},
                              {{-12300.000, 23500.250}, {-12154.735, 23272.258}},
                              {{-12410.125, 23520.500}, {-12265.030, 23291.544}},
                              {{-12380.333, 23401.010}, {-12234.203, 23172.313}},
                              {{-12290.875, 23430.404}, {-12144.996, 23202.484}},
                              {{-12360.060, 23480.808}, {-12214.618, 23252.289}}});
    const Transformation t = FitTransformation(TransformMethod::TwoPoint, pairs); // six pairs: Helmert
    EXPECT_EQ(t.method, TransformMethod::Helmert);
    EXPECT_NEAR(t.a, 1.000007583925297, 1e-12);
    EXPECT_NEAR(t.b, -0.008705411089983, 1e-12);
    EXPECT_NEAR(t.x0, 349.942936263, 1e-6);
    EXPECT_NEAR(t.y0, -121.098388254, 1e-6);
    EXPECT_NEAR(t.sigma, 0.003543338567, 1e-9);
    EXPECT_NEAR(t.maxResidual, 0.007110130187, 1e-9);
    EXPECT_EQ(t.maxResidualPair, 1);
    const PlanePoint moved = t.Apply({-12000, 23000});
    EXPECT_NEAR(moved.x, -11850.372526, 1e-6);
    EXPECT_NEAR(moved.y, 22774.611109, 1e-6);
    EXPECT_EQ(Utf8(TransformReport(t, pairs)),
              (std::vector<std::string>{"標準偏差 0.0035433386    最大残差 0.007(№N2)", "", "変換係数",
                                        "a =  1.0000075839     b = -0.0087054111",
                                        "X0=       349.943     Y0=      -121.098"}));
    EXPECT_EQ(Cp932ToUtf8(TransformCaption(t.method)), "- ヘルマート変換 -");
}

// Two pairs fix the four parameters exactly: no redundancy, σ = 0 and no pair has a residual.
TEST(HelmertTransform, TwoPairsFitExactly) {
    const auto pairs = Pairs({{{0, 0}, {100, 100}}, {{10, 0}, {100, 110}}});
    const Transformation t = FitTransformation(TransformMethod::Helmert, pairs);
    EXPECT_NEAR(t.a, 0, 1e-15);
    EXPECT_NEAR(t.b, -1, 1e-15);
    EXPECT_NEAR(t.x0, 100, 1e-12);
    EXPECT_NEAR(t.y0, 100, 1e-12);
    EXPECT_EQ(t.sigma, 0);
    EXPECT_FALSE(t.maxResidualPair);
    EXPECT_EQ(Utf8(TransformReport(t, pairs))[0], "標準偏差 0.0000000000    最大残差 0.000(№-)");
}

TEST(Transformation, RefusesWhatCannotBeFitted) {
    const auto coincidentOld = Pairs({{{5, 5}, {0, 0}}, {{5, 5}, {10, 0}}});
    EXPECT_EQ(MessageOf([&] { FitTwoPoint(coincidentOld); }), "2点が同じ位置にあるため回転角が求まりません");
    EXPECT_EQ(MessageOf([&] { FitHelmert(coincidentOld); }),
              "旧系の点がすべて同じ位置にあるため変換係数が求まりません");
    EXPECT_EQ(MessageOf([&] {
                  FitTransformation(TransformMethod::Helmert, Pairs({{{0, 0}, {1, 1}}}));
              }),
              "変換元点名と対応する変換先点名を指定してください");

    Store store;
    store.xyz.ReplaceAll({{"", "A", "1.000", "2.000"}});
    EXPECT_EQ(MessageOf([&] { LoadControlPairs({{"A", "B"}}, store.Index()); }), "B は見つかりません");
    // 計算実行: the selection first, then the pairs up to the first row with an empty name.
    const std::vector<std::pair<std::string, std::string>> rows{{"A", "A"}, {"", "A"}, {"A", "A"}};
    EXPECT_EQ(MessageOf([&] {
                  StartTransformation({"", ""}, rows, TransformMethod::TwoPoint, store.Index());
              }),
              "変換元座標を1点以上指定してください");
    EXPECT_EQ(MessageOf([&] { StartTransformation({"A"}, rows, TransformMethod::TwoPoint, store.Index()); }),
              "変換元点名と対応する変換先点名を指定してください");
    const auto loaded = LoadControlPairs({{"A", "A"}}, store.Index());
    EXPECT_EQ(loaded[0].newPoint, (PlanePoint{1, 2}));
}

} // namespace
} // namespace vemo::test
