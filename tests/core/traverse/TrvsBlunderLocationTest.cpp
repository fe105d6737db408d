// Blunder location over random closed and connected traverses with one planted blunder: the planted
// station or leg is the oracle.  The traverses go through the table and the adjustment as a surveyor's
// would, with a few seconds and millimetres of measuring error on every observation.
#include "TrvsFixture.h"

#include "core/text/Numbers.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/SurveyClass.h"
#include "core/traverse/TrvsBlunderLocation.h"
#include "core/traverse/TrvsJudgement.h"
#include "core/traverse/TrvsResults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <random>

namespace vemo::test {
namespace {

constexpr double kPi = std::numbers::pi;

// Uniform numbers from the engine's own bits, the same on every standard library.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    double Uniform(double low, double high) { return low + (high - low) * (engine_() / 4294967296.0); }
    int Index(int count) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(count)); }
    // Sum of four uniforms: near enough to a normal error, never wild.
    double Error(double sigma) {
        double s = 0;
        for (int k = 0; k < 4; ++k) {
            s += Uniform(-1, 1);
        }
        return s * sigma * std::sqrt(3.0 / 4.0);
    }

private:
    std::mt19937 engine_;
};

double Bearing(double dx, double dy) {
    double d = std::atan2(dy, dx) * 180 / kPi;
    return d < 0 ? d + 360 : d;
}

double Normalized(double degrees) {
    double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360 : d;
}

// Degrees to packed D.MMSS, rounded to whole seconds as an instrument reads.
std::string Packed(double degrees) {
    long long s = std::llround(Normalized(degrees) * 3600) % (360 * 3600);
    return Sprintf("%lld.%02lld%02lld", s / 3600, s / 60 % 60, s % 60);
}

struct Planted {
    bool angle = true;
    int index = 0;   // station of the angle, or leg
    double size = 0; // seconds or metres
};

// A traverse with its true points; `planted` is put into the observations.
struct RandomTraverse : TrvsFixture {
    RandomTraverse(Draw& draw, bool connected, int legs, const Planted& planted) {
        const double x0 = -120000 + draw.Uniform(-50000, 50000), y0 = 30000 + draw.Uniform(-50000, 50000);
        std::vector<double> x{x0}, y{y0};
        double backsight;
        if (connected) {
            // A winding route: each leg turns up to 80° off the last.
            double heading = draw.Uniform(0, 360);
            backsight = Normalized(heading + 180 + draw.Uniform(-60, 60));
            for (int k = 0; k < legs; ++k) {
                const double length = draw.Uniform(30, 300);
                x.push_back(x.back() + length * std::cos(heading * kPi / 180));
                y.push_back(y.back() + length * std::sin(heading * kPi / 180));
                heading += draw.Uniform(-80, 80);
            }
        } else {
            // A loop round a centre at rising bearings and varying radii: a simple polygon.
            const double radius = draw.Uniform(60, 400);
            const double cx = x0 - radius, cy = y0;
            double step = 360.0 / legs;
            for (int k = 1; k < legs; ++k) {
                const double a = k * step + draw.Uniform(-0.3, 0.3) * step;
                const double r = radius * draw.Uniform(0.6, 1.4);
                x.push_back(cx + r * std::cos(a * kPi / 180));
                y.push_back(cy + r * std::sin(a * kPi / 180));
            }
            x.push_back(x0);
            y.push_back(y0);
            backsight = Bearing(x[legs - 1] - x0, y[legs - 1] - y0);
        }
        const int stations = connected ? legs + 1 : legs;
        const double endSight = draw.Uniform(0, 360);
        auto name = [&](int k) { return "T" + std::to_string(k); };
        Start(connected ? kTrvsConnected : kTrvsClosed, name(0), Sprintf("%.3f", x0), Sprintf("%.3f", y0), "B",
              Packed(backsight), false);
        if (connected) {
            header.T2No = name(legs);
            header.T2X = Sprintf("%.3f", x[legs]);
            header.T2Y = Sprintf("%.3f", y[legs]);
            header.T3No = "C";
            header.T3Angle = Packed(endSight);
            header.endIncoming = false;
        }
        for (int k = 0; k < stations; ++k) {
            const double back = k == 0 ? backsight : Bearing(x[k - 1] - x[k], y[k - 1] - y[k]);
            const double ahead = k < legs ? Bearing(x[k + 1] - x[k], y[k + 1] - y[k]) : endSight;
            double angle = ahead - back + draw.Error(3.0) / 3600;
            std::string slope;
            if (k < legs) {
                double length = std::hypot(x[k + 1] - x[k], y[k + 1] - y[k]) + draw.Error(0.003);
                if (!planted.angle && planted.index == k) {
                    length += planted.size;
                }
                slope = Sprintf("%.3f", length);
            }
            if (planted.angle && planted.index == k) {
                angle += planted.size / 3600;
            }
            const std::string target = k + 1 < stations ? name(k + 1) : connected ? "C" : name(0);
            Row("T", target, Packed(angle), "90.0000", slope);
        }
    }
};

struct Tally {
    int cases = 0, named = 0;
    double Rate() const { return cases == 0 ? 1.0 : static_cast<double>(named) / cases; }
};

// 1,000 traverses, half closed, half connected; half with one angle blunder of 1′ to 180° (either way),
// half with one distance blunder of 0.1 to 10 m (either way).  Judged as 4級.
TEST(TrvsBlunderLocation, NamesThePlantedBlunder) {
    Draw draw(20261210);
    const SurveyClass fourth = *ParseSurveyClass("4");
    Tally angleOverLimit, angleAll, distanceOverLimit, distanceAll;
    int firstChoice = 0;
    for (int t = 0; t < 1000; ++t) {
        const bool connected = t % 2 == 0;
        const bool angle = t % 4 < 2;
        Planted planted;
        planted.angle = angle;
        const double sign = draw.Index(2) == 0 ? -1.0 : 1.0;
        // Log-uniform sizes: as many small blunders as large ones.
        planted.size = angle ? sign * 60 * std::exp(draw.Uniform(0, std::log(180.0 * 60)))
                             : sign * 0.1 * std::exp(draw.Uniform(0, std::log(100.0)));
        const int legs = connected ? 2 + draw.Index(14) : 3 + draw.Index(14);
        const int stations = connected ? legs + 1 : legs;
        planted.index = draw.Index(angle ? stations : legs);
        RandomTraverse f(draw, connected, legs, planted);
        const auto adjusted = AdjustTraverse(f.Input());
        ASSERT_TRUE(adjusted) << t;
        const auto route = RouteOf(f.Input(), *adjusted);
        ASSERT_TRUE(route);
        const auto guess = LocateTraverseBlunder(*route, 3.0);
        const bool kindRight = guess && (guess->kind == TrvsBlunderGuess::Kind::Angle) == angle;
        const bool first = kindRight && guess->index == planted.index;
        const bool right =
            first || (kindRight && std::ranges::find(guess->alternatives, planted.index) != guess->alternatives.end());
        const bool over = !JudgeTraverse(fourth, *adjusted).Pass();
        Tally& all = angle ? angleAll : distanceAll;
        Tally& judged = angle ? angleOverLimit : distanceOverLimit;
        ++all.cases;
        all.named += right ? 1 : 0;
        if (over) {
            ++judged.cases;
            judged.named += right ? 1 : 0;
        }
        firstChoice += first && over && !angle ? 1 : 0;
        if (first && guess->kind == TrvsBlunderGuess::Kind::Distance) {
            EXPECT_NEAR(guess->size, planted.size, 0.05 + 0.05 * std::fabs(planted.size)) << t;
        }
    }
    std::printf("angle blunders over the 4級 limit: %d of %d named (%.1f %%); all angle blunders %d of %d (%.1f %%)\n",
                angleOverLimit.named, angleOverLimit.cases, 100 * angleOverLimit.Rate(), angleAll.named, angleAll.cases,
                100 * angleAll.Rate());
    std::printf("distance blunders over the 4級 limit: %d of %d named (%.1f %%); all %d of %d (%.1f %%)\n",
                distanceOverLimit.named, distanceOverLimit.cases, 100 * distanceOverLimit.Rate(), distanceAll.named,
                distanceAll.cases, 100 * distanceAll.Rate());
    std::printf("distance blunders over the 4級 limit named first: %d of %d\n", firstChoice, distanceOverLimit.cases);
    EXPECT_GT(angleOverLimit.cases, 300);
    EXPECT_GE(angleOverLimit.Rate(), 0.99);
    EXPECT_GE(distanceAll.Rate(), 0.95);
    EXPECT_GE(distanceOverLimit.Rate(), 0.95);
}

} // namespace
} // namespace vemo::test
