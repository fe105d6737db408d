// Both division methods over random simple parcels of every kind a site gives (stars, combs and the
// tangled outlines 2-opt untangles), each result compared with a division the test works out on its
// own: the one-point cut by the fan area solved on each edge and kept where both parts come out simple,
// the parallel cut by integrating the line's cross-section across the parcel.  P1 and P2 must lie within
// the millimetre rounding of the exact cut, and a refusal counts as right only where the oracle finds no
// division into two simple parts.  Targets are drawn at random and, one case in four, at the area a
// corner of the parcel gives, where the cut runs through that corner.
#include "RingArithmetic.h"

#include "core/division/ParallelDivision.h"
#include "core/text/Error.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>

namespace vemo::test {
namespace {

bool Same(PlanePoint a, PlanePoint b) {
    return a.x == b.x && a.y == b.y;
}

// Consecutive repetitions (a cut through a corner) taken out, the ring's closure included.
Ring Deduplicated(const Ring& ring) {
    Ring out;
    for (const PlanePoint& p : ring) {
        if (out.empty() || !Same(out.back(), p)) {
            out.push_back(p);
        }
    }
    while (out.size() > 1 && Same(out.front(), out.back())) {
        out.pop_back();
    }
    return out;
}

bool OnSegment(PlanePoint a, PlanePoint b, PlanePoint p) {
    return Cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Edges that share no vertex meet nowhere (touching included); neighbours only at their vertex; no
// vertex repeated.  Quadratic, and written apart from the program's sweep.
bool Simple(const Ring& ring) {
    const size_t n = ring.size();
    if (n < 3) {
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (Same(ring[i], ring[j])) {
                return false;
            }
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const PlanePoint a = ring[i], b = ring[(i + 1) % n];
        for (size_t j = i + 1; j < n; ++j) {
            const PlanePoint c = ring[j], d = ring[(j + 1) % n];
            const bool neighbours = j == i + 1 || (i == 0 && j == n - 1);
            if (neighbours) {
                // Folding back: the far end of one lies on the other.
                const PlanePoint shared = j == i + 1 ? b : a;
                const PlanePoint far1 = j == i + 1 ? a : b, far2 = j == i + 1 ? d : c;
                if (OnSegment(shared, far1, far2) || OnSegment(shared, far2, far1)) {
                    return false;
                }
                continue;
            }
            const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
            if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
                return false;
            }
            if (OnSegment(c, d, a) || OnSegment(c, d, b) || OnSegment(a, b, c) || OnSegment(a, b, d)) {
                return false;
            }
        }
    }
    return true;
}

// --- Random simple parcels -------------------------------------------------------------------------

Ring Star(std::mt19937_64& rng, int n) {
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> bearings;
    for (int i = 0; i < n; ++i) {
        bearings.push_back(2 * std::numbers::pi * unit(rng));
    }
    std::sort(bearings.begin(), bearings.end());
    Ring ring;
    for (double b : bearings) {
        const double r = 20 + 100 * unit(rng);
        ring.push_back({r * std::cos(b), r * std::sin(b)});
    }
    return ring;
}

// A comb: a back of random depth with teeth of random widths and lengths on one side.
Ring Comb(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0, 1);
    const int teeth = 2 + static_cast<int>(unit(rng) * 5);
    const double back = 8 + 20 * unit(rng);
    Ring ring{{0, 0}};
    double y = 0;
    for (int t = 0; t < teeth; ++t) {
        const double gap = 4 + 10 * unit(rng), width = 4 + 12 * unit(rng), length = 15 + 60 * unit(rng);
        y += gap;
        ring.push_back({back, y});
        ring.push_back({back + length, y});
        y += width;
        ring.push_back({back + length, y});
        ring.push_back({back, y});
    }
    y += 4 + 10 * unit(rng);
    ring.push_back({0, y});
    return ring;
}

// Random points joined in random order, then untangled by 2-opt (reversing the stretch between two
// crossing edges) until no two edges cross.
Ring TwoOpt(std::mt19937_64& rng, int n) {
    std::uniform_real_distribution<double> unit(0, 1);
    Ring ring;
    for (int i = 0; i < n; ++i) {
        ring.push_back({150 * unit(rng), 150 * unit(rng)});
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < n && !changed; ++i) {
            for (int j = i + 2; j < n && !changed; ++j) {
                if (i == 0 && j == n - 1) {
                    continue;
                }
                const PlanePoint a = ring[i], b = ring[i + 1], c = ring[j], d = ring[(j + 1) % n];
                const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
                if ((d1 > 0) != (d2 > 0) && (d3 > 0) != (d4 > 0)) {
                    std::reverse(ring.begin() + i + 1, ring.begin() + j + 1);
                    changed = true;
                }
            }
        }
    }
    return ring;
}

// Turned and moved to plane coordinates of a site up to 300 km from the origin, to the millimetre.
DivisionParcel Placed(std::mt19937_64& rng, const Ring& local) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double turn = 2 * std::numbers::pi * unit(rng);
    const PlanePoint at{-300000 + 600000 * unit(rng), -300000 + 600000 * unit(rng)};
    DivisionParcel parcel;
    for (size_t i = 0; i < local.size(); ++i) {
        const PlanePoint p = local[i];
        parcel.points.push_back({Mm(at.x + p.x * std::cos(turn) - p.y * std::sin(turn)),
                                 Mm(at.y + p.x * std::sin(turn) + p.y * std::cos(turn))});
        parcel.names.push_back("V" + std::to_string(i));
    }
    if (unit(rng) < 0.5) {
        std::reverse(parcel.points.begin(), parcel.points.end());
    }
    parcel.area = MillimetreRingFigures(parcel.points).area;
    return parcel;
}

// --- The one-point oracle ----------------------------------------------------------------------------

struct OnePointCut {
    size_t edge = 0; // P1 lies on the edge edge - 1 -> edge
    PlanePoint p1;
};

// The first point along the boundary from vertex 1 where the fan from vertex 0 holds the target and
// both parts are simple.
std::optional<OnePointCut> OracleOnePoint(const Ring& v, double target) {
    const double sign = SignedArea(v) < 0 ? -1 : 1;
    for (size_t k = 2; k < v.size(); ++k) {
        Ring head(v.begin(), v.begin() + static_cast<long>(k));
        const double a0 = sign * SignedArea(head);
        head.push_back(v[k]);
        const double a1 = sign * SignedArea(head);
        if (a1 == a0) {
            continue;
        }
        double t = (target - a0) / (a1 - a0);
        if (t < -1e-9 || t > 1 + 1e-9) {
            continue;
        }
        t = std::clamp(t, 0.0, 1.0);
        PlanePoint p{v[k - 1].x + t * (v[k].x - v[k - 1].x), v[k - 1].y + t * (v[k].y - v[k - 1].y)};
        // A cut that lands within a micrometre of a corner is the corner.
        for (const PlanePoint& corner : {v[k - 1], v[k]}) {
            if (std::hypot(p.x - corner.x, p.y - corner.y) < 1e-6) {
                p = corner;
            }
        }
        head.back() = p;
        Ring tail{v[0], p};
        tail.insert(tail.end(), v.begin() + static_cast<long>(k), v.end());
        const Ring h = Deduplicated(head), r = Deduplicated(tail);
        if (Simple(h) && Simple(r) && std::fabs(Area(h) + Area(r) - Area(v)) < 1e-7 * Area(v)) {
            return OnePointCut{k, p};
        }
    }
    return std::nullopt;
}

// --- The parallel oracle -----------------------------------------------------------------------------

// The parcel seen across a line of unit direction u: offsets s(p) = n·p along the normal n.
struct Across {
    const Ring& ring;
    PlanePoint u, n;

    double Offset(PlanePoint p) const { return n.x * p.x + n.y * p.y; }
    // Where the line at offset s crosses the boundary, as positions along u (even-odd pairs of them
    // are the stretches inside).  A vertex exactly on the line counts with the edges above it.
    std::vector<std::pair<double, PlanePoint>> Crossings(double s) const {
        std::vector<std::pair<double, PlanePoint>> out;
        for (size_t i = 0; i < ring.size(); ++i) {
            const PlanePoint a = ring[i], b = ring[(i + 1) % ring.size()];
            const double sa = Offset(a) - s, sb = Offset(b) - s;
            if ((sa >= 0) == (sb >= 0)) {
                continue;
            }
            const double t = sa / (sa - sb);
            const PlanePoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            out.push_back({u.x * p.x + u.y * p.y, p});
        }
        std::sort(out.begin(), out.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
        return out;
    }
    double Length(double s) const {
        const auto c = Crossings(s);
        double length = 0;
        for (size_t i = 0; i + 1 < c.size(); i += 2) {
            length += c[i + 1].first - c[i].first;
        }
        return length;
    }
    // The land between offsets lo and hi: the cross-section is linear between the vertices' offsets,
    // so each stretch is its width times the length at its middle.
    double Between(double lo, double hi) const {
        std::vector<double> cuts{lo, hi};
        for (const PlanePoint& p : ring) {
            const double s = Offset(p);
            if (s > lo && s < hi) {
                cuts.push_back(s);
            }
        }
        std::sort(cuts.begin(), cuts.end());
        double area = 0;
        for (size_t i = 0; i + 1 < cuts.size(); ++i) {
            area += (cuts[i + 1] - cuts[i]) * Length((cuts[i] + cuts[i + 1]) / 2);
        }
        return area;
    }
};

struct ParallelCut {
    bool twoParts = false; // the line at the exact offset crosses the boundary just twice
    PlanePoint ends[2];
    // A corner the boundary only touches the line at, on it or within the millimetre the line moves
    // by: exactly there no two simple parts exist, a millimetre off they may; neither answer is judged.
    bool touchesNear = false;
    // Within the first 0.1 m step of the line from the start corner: too thin a strip to be placed.
    bool nearStart = false;
};

ParallelCut OracleParallel(const Ring& ring, double direction, int start, double target) {
    const double r = direction * std::numbers::pi / 180;
    const Across across{ring, {std::cos(r), std::sin(r)}, {-std::sin(r), std::cos(r)}};
    const double from = across.Offset(ring[start]);
    double lo = from, hi = from;
    for (const PlanePoint& p : ring) {
        lo = std::min(lo, across.Offset(p));
        hi = std::max(hi, across.Offset(p));
    }
    const bool startHigh = from == hi;
    // held(s): the land between the line at s and the start vertex; bisect for the target.
    double nearSide = from, farSide = startHigh ? lo : hi;
    for (int i = 0; i < 200 && nearSide != farSide; ++i) {
        const double mid = (nearSide + farSide) / 2;
        const double held = startHigh ? across.Between(mid, from) : across.Between(from, mid);
        (held < target ? nearSide : farSide) = mid;
    }
    const auto crossings = across.Crossings(farSide);
    ParallelCut cut;
    cut.nearStart = std::fabs(farSide - from) < 0.1 + 1e-9;
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const double before = across.Offset(ring[(i + n - 1) % n]) - farSide;
        const double at = across.Offset(ring[i]) - farSide;
        const double after = across.Offset(ring[(i + 1) % n]) - farSide;
        const bool oneSide = (before - at) * (after - at) > 0; // both neighbours beyond the corner
        cut.touchesNear |= oneSide && std::fabs(at) < 0.0015;
    }
    cut.twoParts = crossings.size() == 2 && !cut.touchesNear;
    if (cut.twoParts) {
        cut.ends[0] = crossings[0].second;
        cut.ends[1] = crossings[1].second;
    }
    return cut;
}

double Apart(PlanePoint a, PlanePoint b) {
    return std::max(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
}

// The sheet's check of the parts against the parcel: its three figures re-added here, and a reason
// given exactly when they differ.
void ExpectPartsAccountedFor(const DivisionParcel& parcel, const DivisionResult& r, const Ring& secured,
                             const Ring& rest) {
    const std::vector<std::string> lines = DivisionSumTexts(r);
    ASSERT_GE(lines.size(), 3u);
    double figures[3];
    for (int i = 0; i < 3; ++i) {
        figures[i] = std::stod(lines[static_cast<size_t>(i)].substr(7));
    }
    EXPECT_NEAR(figures[0], Area(parcel.points), 1e-6);
    EXPECT_NEAR(figures[1], Area(secured) + Area(rest), 1e-6);
    EXPECT_NEAR(figures[2], figures[1] - figures[0], 2e-7);
    EXPECT_EQ(lines.size(), std::fabs(figures[2]) >= 0.5e-7 ? 4u : 3u) << lines[2];
}

// How far p lies off the parcel's boundary.
double OffBoundary(const Ring& ring, PlanePoint p) {
    double nearest = INFINITY;
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint a = ring[i], b = ring[(i + 1) % ring.size()];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    return nearest;
}

// Within the millimetre rounding: 0.71 mm off the exact point by rounding, and the millimetre the
// line or the point may be moved on to secure the target; along an edge nearly in line with the chord
// that millimetre of area takes a little more of the edge.
constexpr double kRounding = 0.002 + 1e-9;
// The parallel line where no pair of millimetre positions at the exact cut holds the target: the last
// millimetre step of the line that does, with its points rounded.
constexpr double kLineStep = 0.003 + 1e-9;

TEST(DivisionOracle, BothMethodsOverRandomSimpleParcelsAgreeWithTheOracle) {
    std::mt19937_64 rng(4412);
    std::uniform_real_distribution<double> unit(0, 1);
    int cases = 0, onePointDone = 0, onePointRefused = 0, onCorner = 0, parallelDone = 0, parallelRefused = 0;
    int kinds[3] = {0, 0, 0};
    while (cases < 1500) {
        const int kind = cases % 3;
        const Ring local = kind == 0   ? Star(rng, 5 + static_cast<int>(unit(rng) * 12))
                           : kind == 1 ? Comb(rng)
                                       : TwoOpt(rng, 6 + static_cast<int>(unit(rng) * 10));
        const DivisionParcel parcel = Placed(rng, local);
        if (!Simple(parcel.points)) {
            continue; // millimetre rounding folded two close vertices
        }
        ++cases;
        ++kinds[kind];
        SCOPED_TRACE(testing::Message() << "case " << cases << " kind " << kind);
        const Ring& v = parcel.points;

        // One point.  One case in four the target is what the fan to a corner holds.
        double target = parcel.area * (0.05 + 0.9 * unit(rng));
        if (cases % 4 == 0) {
            const size_t k = 2 + static_cast<size_t>(unit(rng) * static_cast<double>(v.size() - 3));
            target = MillimetreRingFigures(Ring(v.begin(), v.begin() + static_cast<long>(k) + 1)).area;
        }
        if (target >= 0.001 && target < parcel.area) {
            const std::optional<OnePointCut> exact = OracleOnePoint(v, target);
            try {
                const DivisionResult r = DivideFromFirstPoint(parcel, target);
                ++onePointDone;
                ASSERT_TRUE(exact) << "divided where no chord inside holds the target";
                EXPECT_LE(Apart(r.p1, exact->p1), 1.5 * kRounding)
                    << "P1 " << r.p1.x << ", " << r.p1.y << " exact " << exact->p1.x << ", " << exact->p1.y;
                const Ring secured = Deduplicated(PartPoints(parcel, r, r.secured));
                const Ring rest = Deduplicated(PartPoints(parcel, r, r.remainder));
                EXPECT_TRUE(Simple(secured));
                EXPECT_TRUE(Simple(rest));
                EXPECT_GE(r.secured.figures.area, target);
                EXPECT_NEAR(r.secured.figures.area, Area(secured), 1e-6);
                EXPECT_NEAR(r.remainder.figures.area, Area(rest), 1e-6);
                ExpectPartsAccountedFor(parcel, r, secured, rest);
                for (PlanePoint corner : v) {
                    if (Same(corner, r.p1)) {
                        ++onCorner;
                        EXPECT_FALSE(r.p1Vertex.empty()) << "a corner made again as a new point";
                    }
                }
            } catch (const Error& e) {
                ++onePointRefused;
                EXPECT_FALSE(exact) << "refused (" << e.what() << ") although P1 at " << exact->p1.x << ", "
                                    << exact->p1.y << " on edge " << exact->edge << " divides";
            }
        }

        // Parallel, from either extreme vertex; one case in four the line runs through a corner.
        const double direction = 360 * unit(rng);
        const ExtremeVertices extremes = FindExtremeVertices(parcel, direction);
        const int start = unit(rng) < 0.5 ? extremes.max : extremes.min;
        double parallelTarget = parcel.area * (0.05 + 0.9 * unit(rng));
        if (cases % 4 == 1) {
            const double rad = direction * std::numbers::pi / 180;
            const Across across{v, {std::cos(rad), std::sin(rad)}, {-std::sin(rad), std::cos(rad)}};
            const double from = across.Offset(v[start]);
            const double through = across.Offset(v[static_cast<size_t>(unit(rng) * static_cast<double>(v.size()))]);
            parallelTarget = std::fabs(from > through ? across.Between(through, from) : across.Between(from, through));
        }
        if (parallelTarget < 0.001 || parallelTarget >= parcel.area) {
            continue;
        }
        const ParallelCut exact = OracleParallel(v, direction, start, parallelTarget);
        try {
            const DivisionResult r = DivideParallel(parcel, direction, start, parallelTarget);
            ++parallelDone;
            // Beside a corner the line only touches, the ends are not judged; the parts still are.
            if (!exact.touchesNear) {
                EXPECT_TRUE(exact.twoParts) << "divided where the line cuts the parcel into more than two pieces";
                // To the millimetre of the line: each new point within 1.5 mm of an end of the exact cut,
                // measured square to the line (along a shallow edge that may be a few millimetres along
                // it), and on the boundary within its own rounding.
                const double rad = direction * std::numbers::pi / 180;
                const PlanePoint normal{-std::sin(rad), std::cos(rad)};
                const auto nearEnd = [&](PlanePoint p, PlanePoint end) {
                    const double across = std::fabs(normal.x * (p.x - end.x) + normal.y * (p.y - end.y));
                    return across <= kLineStep && std::hypot(p.x - end.x, p.y - end.y) < 0.02;
                };
                const bool matched = (nearEnd(r.p1, exact.ends[0]) && nearEnd(*r.p2, exact.ends[1])) ||
                                     (nearEnd(r.p1, exact.ends[1]) && nearEnd(*r.p2, exact.ends[0]));
                EXPECT_TRUE(!exact.twoParts || matched)
                    << "P1 " << r.p1.x << ", " << r.p1.y << " P2 " << r.p2->x << ", " << r.p2->y << " exact "
                    << exact.ends[0].x << ", " << exact.ends[0].y << " and " << exact.ends[1].x << ", "
                    << exact.ends[1].y;
                EXPECT_LE(OffBoundary(v, r.p1), 0.00071);
                EXPECT_LE(OffBoundary(v, *r.p2), 0.00071);
            }
            const Ring secured = Deduplicated(PartPoints(parcel, r, r.secured));
            const Ring rest = Deduplicated(PartPoints(parcel, r, r.remainder));
            EXPECT_TRUE(Simple(secured));
            EXPECT_TRUE(Simple(rest));
            EXPECT_GE(r.secured.figures.area, parallelTarget);
            ExpectPartsAccountedFor(parcel, r, secured, rest);
        } catch (const Error& e) {
            ++parallelRefused;
            EXPECT_TRUE(!exact.twoParts || exact.touchesNear || exact.nearStart)
                << "refused (" << e.what() << ") although the line at the target cuts the parcel in two";
        }
    }
    std::cout << kinds[0] << " stars, " << kinds[1] << " combs, " << kinds[2] << " untangled; one point "
              << onePointDone << " divided (" << onCorner << " through a corner), " << onePointRefused
              << " refused; parallel " << parallelDone << " divided, " << parallelRefused << " refused\n";
    // Every kind of outcome was reached, so that no branch of the comparison went untried.
    EXPECT_GT(onePointRefused, 20);
    EXPECT_GT(onCorner, 20);
    EXPECT_GT(parallelRefused, 20);
    EXPECT_GT(onePointDone, 500);
    EXPECT_GT(parallelDone, 500);
}

} // namespace
} // namespace vemo::test
