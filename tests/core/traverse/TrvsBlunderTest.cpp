// The plausibility check before an adjustment: a blunder is named with its misclosure and its kind.
#include "core/traverse/TrvsBlunder.h"
#include "core/text/Cp932.h"
#include "core/traverse/TrvsPrecision.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

TrvsPrecision Figures(std::int64_t angleSeconds, std::int64_t ratio, int stations) {
    TrvsPrecision p;
    p.angleMisclosure = angleSeconds;
    p.ratio = ratio;
    p.stations = stations;
    p.closure = 0.123;
    return p;
}

std::string Warning(const TrvsPrecision& p, TrvsBlunderLimits limits = {}) {
    auto warning = TraverseBlunderWarning(p, limits);
    return warning ? Cp932ToUtf8(*warning) : std::string();
}

// Limits 60″ per station and 1 / 1000: four stations may close within 240″.
TEST(TrvsBlunder, LimitsSeparateMeasuringErrorsFromBlunders) {
    EXPECT_EQ(Warning(Figures(240, 1000, 4)), "");
    EXPECT_EQ(Warning(Figures(-240, 999999, 4)), "");

    // One angle of a square typed 270° instead of 90°: 180° of misclosure, an angle.
    const std::string angle = Warning(Figures(-648000, 3, 4));
    EXPECT_NE(angle.find("-180°00′00″"), std::string::npos) << angle;
    EXPECT_NE(angle.find("1 測点あたり 162000″"), std::string::npos) << angle;
    EXPECT_NE(angle.find("角度の誤り"), std::string::npos) << angle;
    EXPECT_EQ(Warning(Figures(241, 5000, 4)).find("角度の誤り") != std::string::npos, true);

    // Angles close, coordinates do not: a distance.
    const std::string distance = Warning(Figures(12, 999, 4));
    EXPECT_NE(distance.find("閉合比 1 / 999（限度 1 / 1000）"), std::string::npos) << distance;
    EXPECT_NE(distance.find("距離の誤り"), std::string::npos) << distance;

    // Limits are options; 0 turns a check off.
    EXPECT_EQ(Warning(Figures(12, 999, 4), {60, 500}), "");
    EXPECT_EQ(Warning(Figures(-648000, 3, 4), {0, 0}), "");
    EXPECT_NE(Warning(Figures(41, 999999, 4), {10, 0}), "");
}

} // namespace
} // namespace vemo::test
