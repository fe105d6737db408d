// Reading network files: the conventions of axes, angles and units, and the refusals.
#include "core/network/GkfReader.h"
#include "core/network/AdjustNetwork.h"
#include "core/text/Error.h"
#include "core/text/MessagesNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace vemo {
namespace {

constexpr double kGon = std::numbers::pi / 200.0;

std::string Refusal(const std::string& xml) {
    try {
        ParseGkf(xml, "net.gkf");
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

// A small network: two known points and two new ones, written in the axes and angle sense given.  The
// true coordinates are (north, east); the file holds them in its own axes and its angles in its sense.
std::string Written(const std::string& axes, bool clockwise, bool dms) {
    const double north[] = {52110.000, 52480.000, 52395.120, 52160.870};
    const double east[] = {-21340.000, -21290.000, -20970.450, -21010.330};
    const NetworkAxes a{[&] {
                            return axes[0] == 'n'   ? 0.0
                                   : axes[0] == 'e' ? std::numbers::pi / 2
                                   : axes[0] == 's' ? std::numbers::pi
                                                    : 1.5 * std::numbers::pi;
                        }(),
                        [&] {
                            return axes[1] == 'n'   ? 0.0
                                   : axes[1] == 'e' ? std::numbers::pi / 2
                                   : axes[1] == 's' ? std::numbers::pi
                                                    : 1.5 * std::numbers::pi;
                        }()};
    auto bearing = [&](int i, int j) { return std::atan2(east[j] - east[i], north[j] - north[i]); };
    auto angle = [&](double radians) {
        double v = std::fmod((clockwise ? radians : -radians) + 4 * std::numbers::pi, 2 * std::numbers::pi);
        char text[64];
        if (dms) {
            const double seconds = v * 180.0 / std::numbers::pi * 3600.0;
            const int d = static_cast<int>(seconds / 3600.0);
            const int m = static_cast<int>((seconds - d * 3600.0) / 60.0);
            std::snprintf(text, sizeof text, "%d-%d-%.6f", d, m, seconds - d * 3600.0 - m * 60.0);
        } else {
            std::snprintf(text, sizeof text, "%.10f", v / kGon);
        }
        return std::string(text);
    };
    std::string xml = "<?xml version=\"1.0\"?>\n<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">\n"
                      "<network axes-xy=\"" +
                      axes + "\" angles=\"" + (clockwise ? "left-handed" : "right-handed") +
                      "\">\n<parameters sigma-apr=\"10\" sigma-act=\"apriori\"/>\n"
                      "<points-observations distance-stdev=\"5 3 1\" direction-stdev=\"" +
                      (dms ? "3.24" : "10") + "\">\n";
    const char* names[] = {"A", "B", "N1", "N2"};
    for (int i = 0; i < 4; ++i) {
        double x = 0, y = 0;
        a.FromNorthEast(north[i], east[i], x, y);
        char line[200];
        if (i < 2) {
            std::snprintf(line, sizeof line, "<point id=\"%s\" x=\"%.4f\" y=\"%.4f\" fix=\"xy\"/>\n", names[i], x, y);
        } else {
            std::snprintf(line, sizeof line, "<point id=\"%s\" adj=\"xy\"/>\n", names[i]);
        }
        xml += line;
    }
    const int stations[] = {0, 1, 2};
    for (int s : stations) {
        xml += std::string("<obs from=\"") + names[s] + "\">\n";
        for (int t = 0; t < 4; ++t) {
            if (t == s)
                continue;
            const double noise = (s * 7 + t * 3) % 5 * 1e-6; // a few seconds of disagreement
            xml += std::string("<direction to=\"") + names[t] + "\" val=\"" + angle(bearing(s, t) - 0.3 * s + noise) +
                   "\"/>\n";
            char d[120];
            std::snprintf(d, sizeof d, "<distance to=\"%s\" val=\"%.4f\"/>\n", names[t],
                          std::hypot(north[t] - north[s], east[t] - east[s]) + noise * 1000.0);
            xml += d;
        }
        xml += "</obs>\n";
    }
    xml += "</points-observations>\n</network>\n</gama-local>\n";
    return xml;
}

TEST(GkfReader, EveryOrientationOfAxesAndAnglesAndEitherUnitGiveTheSameAdjustment) {
    const auto reference = AdjustNetwork(ParseGkf(Written("ne", true, false), "ne.gkf").network);
    ASSERT_TRUE(reference.has_value()) << reference.error();
    for (const char* axes : {"ne", "en", "sw", "ws", "es", "se", "wn", "nw"}) {
        for (const bool clockwise : {true, false}) {
            for (const bool dms : {false, true}) {
                SCOPED_TRACE(std::string(axes) + (clockwise ? " left" : " right") + (dms ? " dms" : " gon"));
                const GkfNetwork file = ParseGkf(Written(axes, clockwise, dms), "x.gkf");
                EXPECT_EQ(file.degrees, dms);
                const auto adjusted = AdjustNetwork(file.network);
                ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
                ASSERT_EQ(adjusted->points.size(), 2u);
                for (size_t i = 0; i < 2; ++i) {
                    EXPECT_NEAR(adjusted->points[i].x, reference->points[i].x, 1e-5);
                    EXPECT_NEAR(adjusted->points[i].y, reference->points[i].y, 1e-5);
                    EXPECT_NEAR(adjusted->points[i].ellipseA, reference->points[i].ellipseA, 1e-6);
                }
            }
        }
    }
    // The true positions, within what a few seconds of disagreement move them.
    EXPECT_NEAR(reference->points[0].x, 52395.120, 0.01);
    EXPECT_NEAR(reference->points[0].y, -20970.450, 0.01);
}

TEST(GkfReader, AnglesInDegreesMinutesSecondsAndGon) {
    bool dms = false;
    EXPECT_NEAR(*ParseGkfAngle("359-59-50.00", dms), (360.0 - 10.0 / 3600.0) * std::numbers::pi / 180.0, 4e-15);
    EXPECT_NEAR(*ParseGkfAngle("187-33-60.00", dms), (187.0 + 34.0 / 60.0) * std::numbers::pi / 180.0, 4e-15);
    EXPECT_TRUE(dms);
    dms = false;
    EXPECT_NEAR(*ParseGkfAngle("-0-0-10", dms), -10.0 / 3600.0 * std::numbers::pi / 180.0, 1e-15);
    EXPECT_NEAR(*ParseGkfAngle(" 396.4843705724 ", dms), 396.4843705724 * kGon, 1e-15);
    EXPECT_FALSE(ParseGkfAngle("12-60-00", dms).has_value());
    EXPECT_FALSE(ParseGkfAngle("12-3", dms).has_value());
    EXPECT_FALSE(ParseGkfAngle("abc", dms).has_value());
}

TEST(GkfReader, RefusesWhatThePlaneAdjustmentDoesNotTakeNamingTheElementAndLine) {
    const std::string head = "<?xml version=\"1.0\"?>\n<gama-local>\n<network>\n<points-observations>\n"
                             "<point id=\"A\" x=\"1\" y=\"2\" fix=\"xy\"/>\n<point id=\"B\" adj=\"xy\"/>\n";
    const std::string tail = "</points-observations>\n</network>\n</gama-local>\n";
    EXPECT_EQ(
        Refusal(head + "<height-differences>\n<dh from=\"A\" to=\"B\" val=\"1\"/>\n</height-differences>\n" + tail),
        msg::GkfAtLine("net.gkf", 7, msg::GkfUnsupported("height-differences")));
    EXPECT_EQ(Refusal(head + "<obs from=\"A\">\n<s-distance to=\"B\" val=\"10\"/>\n</obs>\n" + tail),
              msg::GkfAtLine("net.gkf", 8, msg::GkfUnsupported("s-distance")));
    EXPECT_EQ(Refusal(head + "<vectors>\n</vectors>\n" + tail),
              msg::GkfAtLine("net.gkf", 7, msg::GkfUnsupported("vectors")));
    EXPECT_EQ(Refusal(head + "<point id=\"C\" adj=\"xyz\"/>\n" + tail),
              msg::GkfAtLine("net.gkf", 7, msg::GkfUnsupportedPointRole("xyz")));
    EXPECT_EQ(Refusal(head + "<obs from=\"A\">\n<distance to=\"Z\" val=\"10\" stdev=\"5\"/>\n</obs>\n" + tail),
              msg::GkfAtLine("net.gkf", 8, msg::GkfUnknownPoint("Z")));
    EXPECT_EQ(Refusal(head + "<obs from=\"A\">\n<distance to=\"B\" val=\"10\"/>\n</obs>\n" + tail),
              msg::GkfAtLine("net.gkf", 8, msg::GkfNoSigma("distance")));
    EXPECT_EQ(Refusal(head + "<obs from=\"A\">\n<direction to=\"B\" val=\"1-2\" stdev=\"3\"/>\n</obs>\n" + tail),
              msg::GkfAtLine("net.gkf", 8, msg::GkfBadValue("val", "1-2")));
    EXPECT_EQ(Refusal("<?xml version=\"1.0\"?>\n<gama-local>\n<network>\n<points-observations>\n</network>\n"),
              msg::GkfAtLine("net.gkf", 5, msg::GkfNotWellFormed("mismatched tag")));
    EXPECT_EQ(Refusal("<?xml version=\"1.0\"?>\n<other/>\n"), msg::GkfAtLine("net.gkf", 2, msg::GkfNotNetwork()));
}

// Constrained coordinates (adj "XY") carry a free network's datum: the free test network of three
// constrained points and one adjusted one (angles and distances, axes south-west) keeps the centroid and
// the bearing of its three constrained points and lets the fourth go where the observations put it.
// Marked both fix and adj, a point is fixed, as the format gives fix the precedence.
TEST(GkfReader, ConstrainedPointsCarryTheDatumOfAFreeNetworkAndFixComesFirst) {
    const GkfNetwork file = ReadGkfFile(std::string(VEMO_TEST_DATA_DIR) + "/network/skorepa-dusek.gkf");
    const Network& net = file.network;
    ASSERT_EQ(net.points.size(), 4u);
    for (size_t p = 0; p < 4; ++p) {
        EXPECT_EQ(net.points[p].role, NetworkPointRole::Adjusted);
        EXPECT_EQ(net.points[p].datum, p < 3) << p;
    }
    const auto adjusted = AdjustNetwork(net);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_EQ(adjusted->datum, NetworkDatum::FreeMinimumNorm);
    EXPECT_EQ(adjusted->datumDefect, 3);
    EXPECT_EQ(adjusted->degreesOfFreedom, 13 - 8 + 3);
    // Over the constrained points: no shift, and no turn about their centroid (Σ x·dy − y·dx = 0).
    double cx = 0, cy = 0;
    for (size_t p = 0; p < 3; ++p) {
        cx += net.points[p].x / 3;
        cy += net.points[p].y / 3;
    }
    double shiftX = 0, shiftY = 0, turn = 0, moved4 = 0;
    for (const AdjustedNetworkPoint& a : adjusted->points) {
        const NetworkPoint& given = net.points[static_cast<size_t>(a.point)];
        if (!given.datum) {
            moved4 = std::hypot(a.x - given.x, a.y - given.y);
            continue;
        }
        shiftX += a.x - given.x;
        shiftY += a.y - given.y;
        turn += (given.x - cx) * (a.y - given.y) - (given.y - cy) * (a.x - given.x);
    }
    EXPECT_NEAR(shiftX, 0.0, 1e-6);
    EXPECT_NEAR(shiftY, 0.0, 1e-6);
    EXPECT_NEAR(turn, 0.0, 1e-3); // m² over a network of about 1.5 km: a turn below 1e-9 rad
    EXPECT_GT(moved4, 0.0);       // its given coordinates (the file has them) were only approximate

    const GkfNetwork both = ParseGkf("<?xml version=\"1.0\"?>\n<gama-local>\n<network>\n<points-observations>\n"
                                     "<point id=\"A\" x=\"1\" y=\"2\" fix=\"xy\" adj=\"xy\"/>\n"
                                     "</points-observations>\n</network>\n</gama-local>\n",
                                     "net.gkf");
    EXPECT_EQ(both.network.points.at(0).role, NetworkPointRole::Fixed);
}

// Control coordinates with their variances (mm²) make known points held by their standard deviations,
// in this program's axes: with the file's axes "en" (x east) the x variance is the easting's.  A fixed
// point stays fixed; coordinates that depend on each other, a matrix of the wrong size and missing
// variances are refused.
TEST(GkfReader, ControlCoordinatesAreKnownPointsHeldByTheirStandardDeviations) {
    const std::string head = "<?xml version=\"1.0\"?>\n<gama-local>\n<network axes-xy=\"en\">\n"
                             "<points-observations distance-stdev=\"5\" direction-stdev=\"10\">\n"
                             "<point id=\"A\" x=\"22000\" y=\"-146000\" fix=\"xy\"/>\n"
                             "<point id=\"B\" adj=\"xy\"/>\n<point id=\"N\" adj=\"xy\"/>\n";
    const std::string obs = "<obs from=\"A\"><direction to=\"B\" val=\"0\"/><direction to=\"N\" val=\"50\"/>"
                            "<distance to=\"B\" val=\"600\"/><distance to=\"N\" val=\"424.264\"/></obs>\n"
                            "<obs from=\"B\"><direction to=\"A\" val=\"0\"/><direction to=\"N\" val=\"350\"/>"
                            "<distance to=\"N\" val=\"424.264\"/></obs>\n";
    const std::string tail = "</points-observations>\n</network>\n</gama-local>\n";
    const auto coordinates = [](const std::string& matrix) {
        return "<coordinates>\n<point id=\"A\" x=\"22000\" y=\"-146000\"/>\n"
               "<point id=\"B\" x=\"22600\" y=\"-146000\"/>\n" +
               matrix + "</coordinates>\n";
    };
    const GkfNetwork file = ParseGkf(
        head + obs + coordinates("<cov-mat dim=\"4\" band=\"1\">\n 1 0 1 0 25 0 100\n</cov-mat>\n") + tail, "net.gkf");
    const Network& net = file.network;
    EXPECT_EQ(net.points[0].role, NetworkPointRole::Fixed);
    ASSERT_EQ(net.points[1].role, NetworkPointRole::Constrained);
    EXPECT_DOUBLE_EQ(net.points[1].x, -146000.0); // north: the file's y
    EXPECT_DOUBLE_EQ(net.points[1].y, 22600.0);
    EXPECT_DOUBLE_EQ(net.points[1].sigmaX, 0.010); // the file's y variance, 100 mm²
    EXPECT_DOUBLE_EQ(net.points[1].sigmaY, 0.005); // the file's x variance, 25 mm²
    const auto adjusted = AdjustNetwork(net);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_EQ(adjusted->datum, NetworkDatum::Constrained);

    EXPECT_EQ(Refusal(head + coordinates("<cov-mat dim=\"4\" band=\"1\">1 0 1 0 25 3 100</cov-mat>\n") + tail),
              msg::GkfAtLine("net.gkf", 11, msg::GkfCorrelatedCoordinates()));
    EXPECT_EQ(Refusal(head + coordinates("<cov-mat dim=\"2\" band=\"0\">1 1</cov-mat>\n") + tail),
              msg::GkfAtLine("net.gkf", 11, msg::GkfBadValue("dim", "2")));
    EXPECT_EQ(Refusal(head + coordinates("") + tail), msg::GkfAtLine("net.gkf", 11, msg::GkfNoSigma("coordinates")));
    EXPECT_EQ(Refusal(head + coordinates("<cov-mat dim=\"4\" band=\"0\">1 1 25</cov-mat>\n") + tail),
              msg::GkfAtLine("net.gkf", 11, msg::GkfBadValue("cov-mat", "1 1 25")));
}

} // namespace
} // namespace vemo
