// Field books (ZUB) as network observations: a hand-made book worked out by hand, and books written
// from random networks of known truth, adjusted against the truth and against the same observations
// given to the adjustment directly.
#include "RandomNetwork.h"

#include "core/network/AdjustNetwork.h"
#include "core/network/RouteNetwork.h"
#include "core/text/Cp932.h"
#include "core/traverse/TrvsFixture.h"
#include "core/zub/ZubFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>

namespace vemo {
namespace {

using testing_network::MakeRandomNetwork;
using testing_network::RandomNetwork;

constexpr double kDegree = std::numbers::pi / 180.0;

const AdjustedNetworkPoint& Named(const Network& net, const NetworkAdjustment& a, const std::string& name) {
    for (const AdjustedNetworkPoint& p : a.points) {
        if (net.points[static_cast<size_t>(p.point)].name == name) {
            return p;
        }
    }
    throw std::runtime_error("no point " + name);
}

int Count(const Network& net, ObservationKind kind) {
    int n = 0;
    for (const Observation& o : net.observations) {
        n += o.kind == kind ? 1 : 0;
    }
    return n;
}

// tests/data/network/field-book.ZUB, made by hand: known A (−146000, 22000) and B (−146000, 22600),
// new P (−145700, 22300), so that A→B bears 90°, A→P 45°, B→P 315°, P→A 225°, P→B 135° and both
// sides to P are 300·√2 = 424.2641 m.
//   A, reference B: direct B 0°00′10″, P 315°00′00″ (314°59′50″); reverse B 180°00′20″, P 135°00′30″
//      (315°00′10″): the mean 315°00′00″.  Zenith to P direct 88°29′55″, reverse 271°29′55″: the mean
//      88°30′00″ (the height constant −10″ drops out); slope 424.4095 · sin 88°30′ = 424.2641.
//   B, reference A: 45°00′00″ on both faces, zenith 90°, slope 424.264.
//   P, direct face only, reference A: B at 270°; its distance to B (424.270) has no zenith angle and
//      cannot be reduced: it is left out with a note (taken as horizontal, it would pull P 6 mm).
// Directions 2 + 2 + 2 in three sets, two distances: 8 equations, P and three orientations 5
// unknowns, 3 degrees of freedom; every observation agrees with the coordinates, so P comes out where
// it is, to the rounding of the distances to the millimetre.
TEST(ZubNetwork, AHandMadeBookComesOutAtItsPoint) {
    test::TrvsFixture site;
    site.AddPoint("A", "-146000.000", "22000.000");
    site.AddPoint("B", "-146000.000", "22600.000");
    RouteNetworkBuilder builder{RouteSigmas{}};
    const std::vector<std::string> notes =
        builder.AddFieldBook(LoadZubFile(test::DataFile("network/field-book.ZUB")), site.known);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], Jp("ZUBの 16 行目: 器械点 P から B への距離は鉛直角がないので水平距離にできず、使いません"));
    const Network& net = builder.network();
    EXPECT_EQ(net.directionSets, 3);
    EXPECT_EQ(Count(net, ObservationKind::Direction), 6);
    ASSERT_EQ(Count(net, ObservationKind::Distance), 2);
    for (const Observation& o : net.observations) {
        if (o.kind == ObservationKind::Distance) {
            EXPECT_NEAR(o.value, 424.264, 1e-9); // reduced to the horizontal, to the millimetre
        }
        if (o.kind == ObservationKind::Direction && net.points[static_cast<size_t>(o.from)].name == "A" &&
            net.points[static_cast<size_t>(o.to)].name == "P") {
            EXPECT_NEAR(o.value, 315.0 * kDegree, 1e-10);
        }
    }
    const auto adjusted = AdjustNetwork(net);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_EQ(adjusted->equations, 8);
    EXPECT_EQ(adjusted->unknowns, 5);
    EXPECT_EQ(adjusted->degreesOfFreedom, 3);
    ASSERT_EQ(adjusted->points.size(), 1u);
    EXPECT_NEAR(Named(net, *adjusted, "P").x, -145700.0, 0.0002);
    EXPECT_NEAR(Named(net, *adjusted, "P").y, 22300.0, 0.0002);
}

// Packed D.MMSS with the seconds to 0.01″, as a field book holds an angle.
std::string Packed(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0.0) {
        degrees += 360.0;
    }
    const long long hundredths = std::llround(degrees * 360000.0) % (360LL * 360000);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld%04lld", hundredths / 360000, hundredths / 6000 % 60,
                  hundredths % 6000);
    return text;
}

// The book of a random network: every station its direction set observed in two sets (the circle
// turned 90° between them) on both faces, a face error of a few seconds that the mean of the faces
// takes out, zenith angles between 84° and 96° read with a height constant of 7″, and each distance as
// the slope that reduces to it (to 0.1 mm).
std::vector<ZubRow> WriteBook(const RandomNetwork& n, std::mt19937& random) {
    std::vector<ZubRow> rows{ZubRow{"A", "01"}, ZubRow{"B", Jp("点検"), "TS", "1", "", "26/12/10"}};
    const Network& net = n.network;
    for (int set = 0; set < net.directionSets; ++set) {
        std::vector<const Observation*> directions;
        for (const Observation& o : net.observations) {
            if (o.kind == ObservationKind::Direction && o.set == set) {
                directions.push_back(&o);
            }
        }
        const int station = directions.front()->from;
        rows.push_back(ZubRow{"D", net.points[static_cast<size_t>(station)].name, "", "1.450", "0", "2200004"});
        std::vector<double> zenith, slope;
        for (const Observation* d : directions) {
            zenith.push_back(84.0 + static_cast<double>(random() % 12000) / 1000.0);
            double s = 0.0;
            for (const Observation& o : net.observations) {
                if (o.kind == ObservationKind::Distance && o.from == station && o.to == d->to) {
                    s = o.value / std::sin(zenith.back() * kDegree);
                }
            }
            slope.push_back(s);
        }
        for (int circle = 0; circle < 2; ++circle) {
            std::vector<double> faceErrors;
            for (size_t k = 0; k < directions.size(); ++k) {
                faceErrors.push_back(static_cast<double>(random() % 60) / 10.0);
            }
            for (const bool direct : {true, false}) {
                for (size_t k = 0; k < directions.size(); ++k) {
                    const double faceError = (direct ? 1.0 : -1.0) * faceErrors[k];
                    const double reading =
                        directions[k]->value / kDegree + 90.0 * circle + (direct ? 0.0 : 180.0) + faceError / 3600.0;
                    const double vertical = (direct ? zenith[k] : 360.0 - zenith[k]) + 7.0 / 3600.0;
                    const std::string number = std::string(direct ? "r" : "l") + std::to_string(circle + 1) +
                                               (k < 9 ? "00" : "0") + std::to_string(k + 1);
                    char distance[32] = "";
                    if (slope[k] > 0.0) {
                        std::snprintf(distance, sizeof distance, "%.4f", slope[k]);
                    }
                    rows.push_back(ZubRow{"F", net.points[static_cast<size_t>(directions[k]->to)].name, "", "1.500",
                                          number, Packed(reading), Packed(vertical), distance, "", "", "", "0"});
                }
            }
        }
    }
    rows.push_back(ZubRow{"Z", "&"});
    return rows;
}

// 20 random networks (4 known, 6 new points, 4 neighbours each) written into field books: each book
// adjusts to the coordinates of its network's own observations given directly (within 1 mm: the book
// rounds each horizontal distance to the millimetre), σ0 within 3 % and the same weight coefficients
// of the standard deviations (0.1 %), and
// every new point lies within 5 σ (and the millimetre) of its true place.
TEST(ZubNetwork, BooksOfRandomNetworksAdjustAsTheirObservations) {
    std::mt19937 random(4101);
    for (int trial = 0; trial < 20; ++trial) {
        const RandomNetwork truth = MakeRandomNetwork(random, 4, 6, 4);
        test::TrvsFixture site;
        for (const NetworkPoint& p : truth.network.points) {
            if (p.role == NetworkPointRole::Fixed) {
                site.AddPoint(p.name, std::to_string(p.x), std::to_string(p.y));
            }
        }
        RouteNetworkBuilder builder{RouteSigmas{}};
        EXPECT_TRUE(builder.AddFieldBook(WriteBook(truth, random), site.known).empty());
        const Network& book = builder.network();
        ASSERT_EQ(book.directionSets, truth.network.directionSets);
        ASSERT_EQ(book.observations.size(), truth.network.observations.size());
        const auto fromBook = AdjustNetwork(book);
        const auto direct = AdjustNetwork(truth.network);
        ASSERT_TRUE(fromBook.has_value()) << fromBook.error();
        ASSERT_TRUE(direct.has_value()) << direct.error();
        EXPECT_NEAR(fromBook->sigma0, direct->sigma0, 0.03 * direct->sigma0) << "trial " << trial;
        ASSERT_EQ(fromBook->points.size(), 6u);
        for (const AdjustedNetworkPoint& p : direct->points) {
            const std::string& name = truth.network.points[static_cast<size_t>(p.point)].name;
            const AdjustedNetworkPoint& q = Named(book, *fromBook, name);
            EXPECT_NEAR(q.x, p.x, 0.001) << "trial " << trial << " " << name;
            EXPECT_NEAR(q.y, p.y, 0.001) << "trial " << trial << " " << name;
            // σP is σ0 a posteriori times the weight coefficients': the coefficients the same (the
            // geometry and the weights), σ0 within the rounding of the distances.
            EXPECT_NEAR(q.sigmaPosition / fromBook->sigma0, p.sigmaPosition / direct->sigma0,
                        0.001 * p.sigmaPosition / direct->sigma0)
                << "trial " << trial << " " << name;
            const auto i = static_cast<size_t>(p.point);
            EXPECT_LE(std::abs(q.x - truth.trueX[i]), 5.0 * q.sigmaX + 0.001) << "trial " << trial << " " << name;
            EXPECT_LE(std::abs(q.y - truth.trueY[i]), 5.0 * q.sigmaY + 0.001) << "trial " << trial << " " << name;
        }
    }
}

} // namespace
} // namespace vemo
