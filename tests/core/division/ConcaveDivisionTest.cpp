// Division of parcels of any simple shape, concave ones included, checked against a construction of
// the test's own: the parcel clipped by the half-plane of the dividing line (Sutherland-Hodgman), rings
// checked for self-intersection edge against edge, areas by the shoelace sum.  Random parcels of every
// kind are compared with an oracle in DivisionOracleTest.
#include "RingArithmetic.h"
#include "support/ErrorMessage.h"

#include "core/division/ParallelDivision.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>

namespace vemo::test {
namespace {

// The part of `ring` on the side of the line a -> b where `side` lies.
Ring Clip(const Ring& ring, PlanePoint a, PlanePoint b, PlanePoint side) {
    const double keep = Cross(a, b, side) >= 0 ? 1 : -1;
    Ring out;
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint p = ring[i], q = ring[(i + 1) % ring.size()];
        const double sp = keep * Cross(a, b, p), sq = keep * Cross(a, b, q);
        if (sp >= 0) {
            out.push_back(p);
        }
        if ((sp >= 0) != (sq >= 0)) {
            const double t = sp / (sp - sq);
            out.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return out;
}

bool ProperlyMeet(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
    const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

// No two edges cross and no vertex is repeated.
bool Simple(const Ring& ring) {
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (ring[i].x == ring[j].x && ring[i].y == ring[j].y) {
                return false;
            }
            if (j != i + 1 && !(i == 0 && j == n - 1) &&
                ProperlyMeet(ring[i], ring[(i + 1) % n], ring[j], ring[(j + 1) % n])) {
                return false;
            }
        }
    }
    return true;
}

Ring Open(Ring closed) {
    closed.pop_back();
    return closed;
}

// The two parts are simple rings that make up the parcel, the secured one holds the target and no
// more than `excess` beyond it.  For a dividing line (not a chord), the secured part is the land of the
// parcel on the side of the line where `inner` lies.
void ExpectSoundParts(const DivisionParcel& parcel, const DivisionResult& r, double target, PlanePoint lineA,
                      PlanePoint lineB, double excess, std::optional<PlanePoint> inner) {
    const Ring secured = Open(PartPoints(parcel, r, r.secured));
    const Ring rest = Open(PartPoints(parcel, r, r.remainder));
    // Rounding a new point to millimetres moves it at most 0.71 mm, off its edge as well: the parts
    // change by a sliver of that width along an edge or the line.
    double diameter = 0;
    for (PlanePoint p : parcel.points) {
        diameter = std::max(diameter, std::hypot(p.x - lineA.x, p.y - lineA.y));
    }
    const double roundingSlack = 0.0015 * 2 * diameter + 1e-6;
    EXPECT_TRUE(Simple(secured));
    EXPECT_TRUE(Simple(rest));
    EXPECT_GE(Area(secured), target - 1e-6); // the sum here in doubles, the program's in whole mm²
    EXPECT_NEAR(r.secured.figures.area, Area(secured), 1e-6);
    EXPECT_NEAR(r.remainder.figures.area, Area(rest), 1e-6);
    EXPECT_NEAR(Area(secured) + Area(rest), Area(parcel.points), roundingSlack);
    EXPECT_LE(Area(secured) - target, excess + roundingSlack);
    if (inner) {
        EXPECT_NEAR(Area(Clip(parcel.points, lineA, lineB, *inner)), Area(secured), roundingSlack);
    }
}

// Hand-drawn lots at a site in plane coordinates, turned into four directions: the L is divided, the
// U and a lot with a slanting notch are refused where the line would cut them into three pieces.
struct Lot {
    const char* label;
    std::vector<PlanePoint> local; // metres from the lot's corner, base line from vertex 0 to vertex 1
};

DivisionParcel Placed(const Lot& lot, int quarterTurns) {
    const PlanePoint origin{-42315.120, 23876.450};
    DivisionParcel parcel;
    for (size_t i = 0; i < lot.local.size(); ++i) {
        PlanePoint p = lot.local[i];
        for (int q = 0; q < quarterTurns; ++q) {
            p = {-p.y, p.x};
        }
        parcel.points.push_back({origin.x + p.x, origin.y + p.y});
        parcel.names.push_back("L" + std::to_string(i + 1));
    }
    parcel.area = MillimetreRingFigures(parcel.points).area;
    return parcel;
}

// The start side of the parcel cut by the line at offset s along the normal of `direction`, with the
// edge each of the two cut points lies on.
struct ExactCut {
    Ring secured;
    size_t cutIndex[2] = {0, 0}; // where the cut points stand in `secured`
    PlanePoint edgeFrom[2], edgeTo[2];
};

ExactCut CutAt(const Ring& parcel, PlanePoint along, double s, PlanePoint inner) {
    const PlanePoint a{-along.y * s, along.x * s}, b{a.x + along.x, a.y + along.y};
    const double keep = Cross(a, b, inner) >= 0 ? 1 : -1;
    ExactCut cut;
    int found = 0;
    for (size_t i = 0; i < parcel.size(); ++i) {
        const PlanePoint p = parcel[i], q = parcel[(i + 1) % parcel.size()];
        const double sp = keep * Cross(a, b, p), sq = keep * Cross(a, b, q);
        if (sp >= 0) {
            cut.secured.push_back(p);
        }
        if ((sp >= 0) != (sq >= 0) && found < 2) {
            const double t = sp / (sp - sq);
            cut.cutIndex[found] = cut.secured.size();
            cut.edgeFrom[found] = p;
            cut.edgeTo[found] = q;
            ++found;
            cut.secured.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return cut;
}

// Twice the area in square millimetres, exactly, of a ring on the millimetre grid.
__int128 TwiceSquareMillimetres(const Ring& ring) {
    __int128 twice = 0;
    const auto mm = [](double v) { return static_cast<__int128>(std::llround(v * 1000)); };
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint& p = ring[i];
        const PlanePoint& q = ring[(i + 1) % ring.size()];
        twice += mm(p.x) * mm(q.y) - mm(q.x) * mm(p.y);
    }
    return twice < 0 ? -twice : twice;
}

// 200,000 m² taken from lots of about 250,000 to 600,000 m² in plane coordinates of hundreds of
// kilometres: a millimetre step of the line moves the start side by up to 0.9 m², a millimetre of one
// new point along its edge by less than half of that.  The test finds the exact cut on its own (the
// parcel clipped at offsets found by bisection), rounds the points of each cut edge within a
// millimetre of it (sampled every hundredth of a millimetre) and tries every pair: the division
// secures the target with no more than the least of those pairs does, the plain rounding of the exact
// points among them.
TEST(ConcaveDivision, ParallelMethodSparesNoMoreThanTheNearestMillimetrePositions) {
    std::mt19937_64 rng(91209);
    std::uniform_real_distribution<double> unit(0, 1);
    const double target = 200000;
    const __int128 twiceTarget = static_cast<__int128>(2) * 200000 * 1000000;
    for (int run = 0; run < 200; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        const int n = 5 + static_cast<int>(unit(rng) * 5);
        const PlanePoint centre{Mm(-300000 + 600000 * unit(rng)), Mm(-300000 + 600000 * unit(rng))};
        const double radius = 320 + 130 * unit(rng);
        DivisionParcel parcel;
        for (int i = 0; i < n; ++i) {
            const double bearing = 2 * std::numbers::pi * (i + 0.3 * unit(rng)) / n;
            parcel.points.push_back(
                {Mm(centre.x + radius * std::cos(bearing)), Mm(centre.y + radius * std::sin(bearing))});
            parcel.names.push_back("K" + std::to_string(i + 1));
        }
        parcel.area = MillimetreRingFigures(parcel.points).area;
        const double direction = 360 * unit(rng);
        const ExtremeVertices extremes = FindExtremeVertices(parcel, direction);
        const int start = unit(rng) < 0.5 ? extremes.max : extremes.min;
        const PlanePoint along{std::cos(direction * std::numbers::pi / 180),
                               std::sin(direction * std::numbers::pi / 180)};
        const auto offsetOf = [&](PlanePoint p) { return -along.y * p.x + along.x * p.y; };
        const PlanePoint inner = parcel.points[start];
        double holds = offsetOf(parcel.points[start == extremes.max ? extremes.min : extremes.max]);
        double falls = offsetOf(inner);
        for (int i = 0; i < 100; ++i) {
            const double mid = (holds + falls) / 2;
            (Area(CutAt(parcel.points, along, mid, inner).secured) >= target ? holds : falls) = mid;
        }
        const ExactCut cut = CutAt(parcel.points, along, holds, inner);

        std::vector<PlanePoint> positions[2];
        for (int k = 0; k < 2; ++k) {
            const PlanePoint from = cut.edgeFrom[k], to = cut.edgeTo[k], exact = cut.secured[cut.cutIndex[k]];
            const double length = std::hypot(to.x - from.x, to.y - from.y);
            for (int step = -100; step <= 100; ++step) {
                const double t = step * 0.00001 / length;
                const PlanePoint q{Mm(exact.x + t * (to.x - from.x)), Mm(exact.y + t * (to.y - from.y))};
                if (std::find_if(positions[k].begin(), positions[k].end(),
                                 [&](PlanePoint o) { return o.x == q.x && o.y == q.y; }) == positions[k].end()) {
                    positions[k].push_back(q);
                }
            }
        }
        std::optional<__int128> least;
        for (PlanePoint q0 : positions[0]) {
            for (PlanePoint q1 : positions[1]) {
                Ring ring = cut.secured;
                ring[cut.cutIndex[0]] = q0;
                ring[cut.cutIndex[1]] = q1;
                const __int128 twice = TwiceSquareMillimetres(ring);
                if (twice >= twiceTarget && (!least || twice < *least)) {
                    least = twice;
                }
            }
        }
        const DivisionResult r = DivideParallel(parcel, direction, start, target);
        const __int128 twiceSecured = TwiceSquareMillimetres(Open(PartPoints(parcel, r, r.secured)));
        EXPECT_GE(twiceSecured, twiceTarget);
        if (least) {
            EXPECT_LE(twiceSecured, *least) << "excess " << r.secured.figures.area - target << " m², the nearest "
                                            << static_cast<double>(*least - twiceTarget) / 2e6 << " m²";
        }
        for (PlanePoint p : {r.p1, *r.p2}) {
            const double toExact =
                std::min(std::hypot(p.x - cut.secured[cut.cutIndex[0]].x, p.y - cut.secured[cut.cutIndex[0]].y),
                         std::hypot(p.x - cut.secured[cut.cutIndex[1]].x, p.y - cut.secured[cut.cutIndex[1]].y));
            EXPECT_LE(toExact, 0.0018); // a millimetre along the edge and the rounding
        }
        const std::string excess = Cp932ToUtf8(DivisionExcessText(r));
        EXPECT_NEAR(std::stod(excess.substr(excess.find(':') + 1)), r.secured.figures.area - target, 1e-7) << excess;
    }
}

TEST(ConcaveDivision, HandDrawnLotsInFourDirectionsFromBothEnds) {
    const Lot ell{"L", {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}}};                   // 300 m²
    const Lot u{"U", {{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}}}; // 500 m²
    const Lot notch{"notch", {{0, 0}, {20, 0}, {20, 10}, {8, 14}, {20, 12}, {20, 30}, {0, 30}}};
    const std::string manyPieces = Cp932ToUtf8(msg::DivisionIntoManyPieces());
    const struct {
        const Lot* lot;
        int startNear; // the vertex typed as start
        double target;
        double cutAt; // the local Y of the dividing line (running along the base line), or -1: refused
    } cases[] = {
        {&ell, 0, 250, 15},     // the strip Y <= 15: 200 + 50
        {&ell, 5, 250, 2.5},    // from the top: 100 + 150
        {&u, 0, 400, -1},       // Y = 15 cuts both arms
        {&u, 2, 400, 10.0 / 3}, // from the arms' ends: 200 + 200
        {&notch, 0, 250, -1},   // Y = 13.05: 260 - 10.5 for the notch, and the line crosses it twice
        {&notch, 0, 200, 10},   // below the notch
    };
    for (int turns = 0; turns < 4; ++turns) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.lot->label << " turned " << turns << " from " << c.startNear);
            const DivisionParcel parcel = Placed(*c.lot, turns);
            const double direction = DividingDirection(parcel.points[0], parcel.points[1], 0);
            const int start = SnapStartVertex(parcel, direction, parcel.points[c.startNear]);
            if (c.cutAt < 0) {
                EXPECT_EQ(MessageOf([&] { DivideParallel(parcel, direction, start, c.target); }), manyPieces);
                continue;
            }
            const DivisionResult r = DivideParallel(parcel, direction, start, c.target);
            const PlanePoint o = parcel.points[0], b = parcel.points[1];
            const double base = std::hypot(b.x - o.x, b.y - o.y);
            // Both new points lie on the line at the local Y worked out by hand, to the millimetre.
            for (PlanePoint p : {r.p1, *r.p2}) {
                const double localY = std::fabs(Cross(o, b, p)) / base;
                EXPECT_NEAR(localY, c.cutAt, 0.0015);
            }
            ExpectSoundParts(parcel, r, c.target, r.p1, *r.p2, 0.03, parcel.points[start]);
            EXPECT_NEAR(r.secured.figures.area, c.target, 0.03);
        }
        // One point from the corner of an arm: the chord to the far side would leave the L, the one to
        // the inner edge stays inside; on the U nothing inside reaches 400 m².
        const DivisionParcel l = Placed({"L", {{0, 20}, {0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}}}, turns);
        const DivisionResult r = DivideFromFirstPoint(l, 270);
        const PlanePoint expected = Placed({"", {{10, 14}}}, turns).points[0];
        EXPECT_NEAR(r.p1.x, expected.x, 0.0015);
        EXPECT_NEAR(r.p1.y, expected.y, 0.0015);
        ExpectSoundParts(l, r, 270, l.points[0], r.p1, 0.02, std::nullopt);
        const DivisionParcel arms =
            Placed({"U", {{0, 20}, {0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}}}, turns);
        EXPECT_EQ(MessageOf([&] { DivideFromFirstPoint(arms, 400); }),
                  "基1とP1を結ぶ分割線が画地の外を通るため分割できません");
        EXPECT_NO_THROW(DivideFromFirstPoint(arms, 150)); // to the bottom edge, inside
    }
}

} // namespace
} // namespace vemo::test
