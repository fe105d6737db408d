// The traverse sheet re-added by hand: the adjusted columns of the listing add up to the known
// differences, the stations follow from the printed legs, and the precision figures are those of an
// adjustment worked out here on its own (integer seconds, the legs' cosines) with one sign rule:
// what the observations give minus what is known.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsResults.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace vemo::test {
namespace {

constexpr std::int64_t kFullTurn = 360 * 3600;
constexpr std::int64_t kHalfTurn = 180 * 3600;

std::int64_t Mm(double metres) {
    return std::llround(metres * 1000);
}

std::string Packed(std::int64_t seconds) {
    seconds = ((seconds % kFullTurn) + kFullTurn) % kFullTurn;
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string Metres(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

// Direction p -> q clockwise from north (X), in seconds of arc, unrounded.
double DirectionSeconds(const double p[2], const double q[2]) {
    double degrees = std::atan2(q[1] - p[1], q[0] - p[0]) * 180 / std::numbers::pi;
    if (degrees < 0) {
        degrees += 360;
    }
    return degrees * 3600;
}

// One random traverse, the surveyor's observations of it and what the oracle expects.
struct Case {
    bool connected = false;
    bool compass = true;
    std::vector<std::array<double, 2>> stations; // true positions, to the millimetre
    std::int64_t shownAngleMisclosure = 0;       // measured minus expected, seconds
    double fx = 0, fy = 0, length = 0;
    std::vector<double> correctedX, correctedY; // each leg after the distribution, unrounded
};

// A line of the station block: name, adjusted angle, latitude, departure, X, Y.
struct StationLine {
    std::string angle;
    std::int64_t dX = 0, dY = 0, x = 0, y = 0;
};

StationLine ParseStation(const std::string& line) {
    StationLine s;
    s.angle = line.substr(10, 10);
    double v[4];
    EXPECT_EQ(std::sscanf(line.c_str() + 20, "%lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3]), 4) << line;
    s.dX = Mm(v[0]);
    s.dY = Mm(v[1]);
    s.x = Mm(v[2]);
    s.y = Mm(v[3]);
    return s;
}

double Figure(const std::vector<std::string>& listing, const std::string& caption) {
    for (const std::string& line : listing) {
        const std::string text = Cp932ToUtf8(line);
        if (text.starts_with(caption)) {
            return std::stod(text.substr(caption.size()));
        }
    }
    ADD_FAILURE() << "no line " << caption;
    return NAN;
}

// Builds the observations of a random traverse into `f` and works out its adjustment independently.
Case MakeTraverse(std::mt19937& random, TrvsFixture& f, bool connected, bool compass) {
    Case c;
    c.connected = connected;
    c.compass = compass;
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> noiseSeconds(-8, 8), noiseMm(-9, 9);
    const int legs = 3 + static_cast<int>(unit(random) * 8);
    const double x0 = std::round((-300000 + unit(random) * 600000) * 1000) / 1000;
    const double y0 = std::round((-300000 + unit(random) * 600000) * 1000) / 1000;
    // Closed: around a rough circle, so that the figure is simple; connected: a meandering route.
    std::vector<std::array<double, 2>> p;
    if (connected) {
        double x = x0, y = y0, heading = unit(random) * 2 * std::numbers::pi;
        p.push_back({x, y});
        for (int k = 0; k < legs; ++k) {
            heading += (unit(random) - 0.5) * 2.0;
            const double d = 30 + unit(random) * 250;
            x += d * std::cos(heading);
            y += d * std::sin(heading);
            p.push_back({std::round(x * 1000) / 1000, std::round(y * 1000) / 1000});
        }
    } else {
        const double radius = 60 + unit(random) * 200;
        for (int k = 0; k < legs; ++k) {
            const double a = 2 * std::numbers::pi * (k + 0.2 + 0.6 * unit(random)) / legs;
            const double r = radius * (0.7 + 0.6 * unit(random));
            p.push_back(
                {std::round((x0 + r * std::cos(a)) * 1000) / 1000, std::round((y0 + r * std::sin(a)) * 1000) / 1000});
        }
    }
    c.stations = p;
    const int m = static_cast<int>(p.size()); // stations with coordinates
    // The backsight at the start and the sighting point at the end.
    const double back[2] = {connected ? p[0][0] - 150 * std::cos(unit(random) * 6) : p[m - 1][0],
                            connected ? p[0][1] + 170 * std::sin(unit(random) * 6) : p[m - 1][1]};
    const double sight[2] = {p[m - 1][0] + 120, p[m - 1][1] - 80};
    const std::int64_t w = std::llround(DirectionSeconds(p[0].data(), back));
    const std::int64_t e = std::llround(DirectionSeconds(p[m - 1].data(), sight));
    f.Start(connected ? kTrvsConnected : kTrvsClosed, "S0", Metres(p[0][0]), Metres(p[0][1]), "BK", Packed(w), false);
    f.options.ErrDiv = compass ? 1 : 0;
    if (connected) {
        f.header.T2No = "S" + std::to_string(m - 1);
        f.header.T2X = Metres(p[m - 1][0]);
        f.header.T2Y = Metres(p[m - 1][1]);
        f.header.T3No = "FS";
        f.header.T3Angle = Packed(e);
        f.header.endIncoming = false;
    }
    // Angles measured at each station from the previous point clockwise to the next one.
    std::vector<std::int64_t> measured;
    std::vector<double> distance;
    double trueAngleSum = 0;
    // Closed: m legs, the last back to the start; connected: m - 1 legs and the sight at the end.
    const int rows = m;
    for (int k = 0; k < rows; ++k) {
        const double* at = p[k].data();
        const double* from = k == 0 ? back : p[k - 1].data();
        const bool last = connected && k == m - 1;
        const double* to = last ? sight : p[(k + 1) % m].data();
        double angle = std::fmod(DirectionSeconds(at, to) - DirectionSeconds(at, from) + 2 * kFullTurn, kFullTurn);
        trueAngleSum += angle;
        measured.push_back(std::llround(angle) + noiseSeconds(random));
        // Taped to the millimetre, as the table holds it.
        const double d = last ? 0 : Mm(std::hypot(to[0] - at[0], to[1] - at[1])) / 1000.0 + noiseMm(random) / 1000.0;
        distance.push_back(d);
        const std::string target = last ? "FS" : (!connected && k == m - 1 ? "S0" : "S" + std::to_string(k + 1));
        f.Row("T", target, Packed(measured.back()), "90.0000", last ? "" : Metres(d));
    }
    // The oracle.  Known angle sum: the true one, a whole number of half turns for a closed figure;
    // for a connected one the known directions fix it.
    std::int64_t sum = 0;
    for (std::int64_t a : measured) {
        sum += a;
    }
    const int n = rows;
    if (connected) {
        std::int64_t miss = (w + sum + (n - 1) * kHalfTurn - e) % kFullTurn;
        miss = (miss + kFullTurn) % kFullTurn;
        c.shownAngleMisclosure = miss > kHalfTurn ? miss - kFullTurn : miss;
    } else {
        const std::int64_t known = std::llround(trueAngleSum / kHalfTurn) * kHalfTurn;
        c.shownAngleMisclosure = sum - known;
    }
    // Spread as whole seconds, the larger shares first.
    const std::int64_t total = -c.shownAngleMisclosure;
    std::vector<std::int64_t> corrected(measured);
    for (int k = 0; k < n; ++k) {
        const std::int64_t share = std::llabs(total) / n + (k < std::llabs(total) % n ? 1 : 0);
        corrected[k] += total < 0 ? -share : share;
    }
    const int legCount = connected ? n - 1 : n;
    std::vector<double> dX, dY;
    std::int64_t direction = w;
    for (int k = 0; k < legCount; ++k) {
        direction = (direction + corrected[k] + (k == 0 ? 0 : kHalfTurn)) % kFullTurn;
        const double radians = direction / 3600.0 * std::numbers::pi / 180;
        dX.push_back(distance[k] * std::cos(radians));
        dY.push_back(distance[k] * std::sin(radians));
        c.length += distance[k];
    }
    double sx = 0, sy = 0, ax = 0, ay = 0;
    for (int k = 0; k < legCount; ++k) {
        sx += dX[k];
        sy += dY[k];
        ax += std::fabs(dX[k]);
        ay += std::fabs(dY[k]);
    }
    c.fx = connected ? sx - (p[m - 1][0] - p[0][0]) : sx;
    c.fy = connected ? sy - (p[m - 1][1] - p[0][1]) : sy;
    for (int k = 0; k < legCount; ++k) {
        c.correctedX.push_back(dX[k] - (compass ? distance[k] / c.length : std::fabs(dX[k]) / ax) * c.fx);
        c.correctedY.push_back(dY[k] - (compass ? distance[k] / c.length : std::fabs(dY[k]) / ay) * c.fy);
    }
    return c;
}

TEST(TrvsReAdd, AdjustedColumnsAddUpAndTheFiguresAgreeWithAnOracle) {
    std::mt19937 random(4404);
    int connectedCases = 0, remainderCases = 0;
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        TrvsFixture f;
        const bool connected = i % 2 == 0;
        const Case c = MakeTraverse(random, f, connected, i % 4 < 2);
        std::vector<std::string> listing;
        const auto precision = AdjustTraverse(f.state, f.Input(), &listing);
        ASSERT_TRUE(precision);
        connectedCases += connected;

        // The figures, unrounded, and as printed.
        EXPECT_EQ(precision->angleMisclosure, c.shownAngleMisclosure);
        EXPECT_NEAR(precision->fx, c.fx, 1e-7);
        EXPECT_NEAR(precision->fy, c.fy, 1e-7);
        // The closure from the unrounded misclosures, kept to the micrometre it is printed to; the
        // ratio is the total distance over that printed closure.
        const double closure = std::hypot(c.fx, c.fy);
        EXPECT_NEAR(precision->closure, closure, 0.5e-6 + 1e-12);
        EXPECT_NEAR(static_cast<double>(precision->ratio), std::floor(c.length / (std::round(closure * 1e6) / 1e6)),
                    1.0);
        EXPECT_NEAR(Figure(listing, "閉 合 差 = "), closure, 0.5e-6 + 1e-9);
        EXPECT_NEAR(Figure(listing, "緯距誤差 = "), c.fx, 0.0005 + 1e-9);
        EXPECT_NEAR(Figure(listing, "経距誤差 = "), c.fy, 0.0005 + 1e-9);
        EXPECT_EQ(Figure(listing, "測角誤差 = "), static_cast<double>(c.shownAngleMisclosure));

        // The station block: after the 74-hyphen rule up to the empty line.
        size_t at = 0;
        while (at < listing.size() && listing[at] != std::string(74, '-')) {
            ++at;
        }
        std::vector<StationLine> lines;
        for (++at; at < listing.size() && !listing[at].empty(); ++at) {
            lines.push_back(ParseStation(listing[at]));
        }
        const size_t legs = c.correctedX.size();
        ASSERT_EQ(lines.size(), connected ? legs + 1 : legs);
        std::int64_t sumX = 0, sumY = 0;
        for (size_t k = 0; k < lines.size(); ++k) {
            // Degrees, then minutes and seconds as two digits each.
            EXPECT_EQ(lines[k].angle[4], '-') << lines[k].angle;
            EXPECT_EQ(lines[k].angle[7], '-') << lines[k].angle;
            EXPECT_EQ(lines[k].angle.find(' ', 5), std::string::npos) << lines[k].angle;
            sumX += lines[k].dX;
            sumY += lines[k].dY;
            if (k + 1 < lines.size()) {
                // The next station is this one plus the printed leg.
                EXPECT_EQ(lines[k + 1].x - lines[k].x, lines[k].dX);
                EXPECT_EQ(lines[k + 1].y - lines[k].y, lines[k].dY);
            }
            if (k < legs) {
                // Each printed leg is its corrected value rounded, at most one millimetre of the
                // rounding remainder added.
                EXPECT_LE(std::fabs(lines[k].dX / 1000.0 - c.correctedX[k]), 0.0015 + 1e-9);
                EXPECT_LE(std::fabs(lines[k].dY / 1000.0 - c.correctedY[k]), 0.0015 + 1e-9);
                remainderCases += lines[k].dX != Mm(c.correctedX[k]) || lines[k].dY != Mm(c.correctedY[k]);
            }
        }
        const auto& first = c.stations.front();
        const auto& last = c.stations.back();
        // The known points stand where they are known.
        EXPECT_EQ(lines.front().x, Mm(first[0]));
        EXPECT_EQ(lines.front().y, Mm(first[1]));
        if (connected) {
            EXPECT_EQ(lines.back().x, Mm(last[0]));
            EXPECT_EQ(lines.back().y, Mm(last[1]));
        }
        EXPECT_EQ(sumX, connected ? Mm(last[0]) - Mm(first[0]) : 0);
        EXPECT_EQ(sumY, connected ? Mm(last[1]) - Mm(first[1]) : 0);
    }
    EXPECT_EQ(connectedCases, 200);
    // The remainder was needed often enough for the rule to be exercised.
    EXPECT_GT(remainderCases, 40);
}

// The listing of the connected traverse of the test data, re-added by hand: the 調整緯距 column is
// 42.225 - 18.812 + 58.477 + 29.221 = 111.111 = -34401.234 - -34512.345, the 調整経距 column
// 82.326 + 102.343 + 76.578 + 92.321 = 353.568 = 22230.111 - 21876.543.  The angles were observed 3"
// too large in sum (measured minus expected +3"): the first three stations lose a second each.
TEST(TrvsReAdd, ConnectedTraverseOfTheTestDataClosesAsWorkedByHand) {
    TrvsFixture f;
    LoadTrvFile(DataFile("traverse/connected.Trv"), f.options, "26/12/09", f.header, f.table);
    std::vector<std::string> listing;
    const auto precision = AdjustTraverse(f.state, f.Input(), &listing);
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleMisclosure, 3);
    EXPECT_NEAR(precision->closure, 0.004667, 1e-6);
    EXPECT_EQ(precision->ratio, 83516); // 389.772 / 0.004667
    const std::vector<std::string> expected = {
        "測角合計 = 901°32′08″",
        "測角誤差 = 3″",
        "高低誤差 = 0.000",
        "距離合計 = 389.772",
        "緯距誤差 = 0.002",
        "経距誤差 = 0.004",
        "高低誤差 = 0.000",
        "閉 合 差 = 0.004667",
        "閉 合 比 = 1 / 83516",
        "",
        "  測点      調整角度  調整緯距  調整経距        X           Y         Z",
        std::string(74, '-'),
        "A          227-55-56    42.225    82.326  -34512.345   21876.543    0.000",
        "T1         217-34-05   -18.812   102.343  -34470.120   21958.869    0.000",
        "T2         132-13-09    58.477    76.578  -34488.932   22061.212    0.000",
        "T3         199-48-09    29.221    92.321  -34430.455   22137.790    0.000",
        "B          124-00-46     0.000     0.000  -34401.234   22230.111    0.000",
    };
    const std::vector<std::string> lines = Utf8Lines(listing);
    ASSERT_GE(lines.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 1 + expected.size()), expected);
}

// The station row that reaches the end takes the end point's coordinates: under another name the
// listing would show a station that is not the end point and registering would add a second point
// where it stands.  The old sample of the test data did just that (its end E reached as C).
TEST(TrvsReAdd, EndStationUnderAnotherNameIsRefusedNamingBoth) {
    TrvsFixture f;
    LoadTrvFile(DataFile("traverse/connected_blunder.Trv"), f.options, "26/12/09", f.header, f.table);
    std::vector<std::string> listing;
    try {
        AdjustTraverse(f.state, f.Input(), &listing);
        ADD_FAILURE() << "the end reached under another name was accepted";
    } catch (const Error& e) {
        const std::string text = Cp932ToUtf8(e.what());
        EXPECT_NE(text.find("「E」"), std::string::npos) << text;
        EXPECT_NE(text.find("「C」"), std::string::npos) << text;
    }
    EXPECT_TRUE(listing.empty());
    EXPECT_TRUE(f.state.adjSlots.empty());
}

} // namespace
} // namespace vemo::test
