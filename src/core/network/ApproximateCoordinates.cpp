#include "core/network/ApproximateCoordinates.h"

#include "core/network/ApproximateResection.h"
#include "core/network/NetworkGeometry.h"

#include <cmath>
#include <optional>

namespace vemo {

namespace {

using network::Bearing;
using network::Positive;

// A bearing from a known station to a point, or a distance between them.
struct Ray {
    int station;
    double bearing;
};
struct Span {
    int station;
    double distance;
};

class Finder {
public:
    explicit Finder(const Network& network)
        : net_(network), orientation_(static_cast<size_t>(network.directionSets)), atStation_(network.points.size()) {
        for (size_t i = 0; i < net_.observations.size(); ++i) {
            const Observation& o = net_.observations[i];
            if (o.kind == ObservationKind::Direction) {
                atStation_[static_cast<size_t>(o.from)].push_back(static_cast<int>(i));
            }
        }
        const size_t n = net_.points.size();
        result_.x.assign(n, 0.0);
        result_.y.assign(n, 0.0);
        result_.known.assign(n, false);
        for (size_t i = 0; i < n; ++i) {
            if (net_.points[i].hasCoordinates) {
                Place(static_cast<int>(i), net_.points[i].x, net_.points[i].y);
            }
        }
    }

    ApproximateCoordinates Run() {
        if (!AnyKnown()) {
            Seed();
        }
        while (Round()) {
        }
        for (size_t i = 0; i < result_.known.size(); ++i) {
            if (!result_.known[i]) {
                result_.missing = static_cast<int>(i);
                break;
            }
        }
        return result_;
    }

private:
    bool Known(int point) const { return point >= 0 && result_.known[static_cast<size_t>(point)]; }
    double X(int p) const { return result_.x[static_cast<size_t>(p)]; }
    double Y(int p) const { return result_.y[static_cast<size_t>(p)]; }
    void Place(int p, double x, double y) {
        result_.x[static_cast<size_t>(p)] = x;
        result_.y[static_cast<size_t>(p)] = y;
        result_.known[static_cast<size_t>(p)] = true;
    }

    bool AnyKnown() const {
        for (bool k : result_.known) {
            if (k) {
                return true;
            }
        }
        return false;
    }

    // A free network: the first station at the origin; its first set oriented so that its first
    // direction reads as the bearing.
    void Seed() {
        for (const Observation& o : net_.observations) {
            if (o.from >= 0) {
                Place(o.from, 0.0, 0.0);
                if (o.kind == ObservationKind::Direction) {
                    orientation_[static_cast<size_t>(o.set)] = 0.0;
                }
                return;
            }
        }
    }

    void OrientSets() {
        for (const Observation& o : net_.observations) {
            if (o.kind != ObservationKind::Direction || orientation_[static_cast<size_t>(o.set)]) {
                continue;
            }
            if (Known(o.from) && Known(o.to)) {
                orientation_[static_cast<size_t>(o.set)] = Bearing(X(o.from), Y(o.from), X(o.to), Y(o.to)) - o.value;
            }
        }
    }

    // The bearing from the known station of an observation towards its target, when the observation
    // and what is known give one.
    std::optional<double> OrientedBearing(const Observation& o) const {
        switch (o.kind) {
        case ObservationKind::Direction:
            if (const auto& w = orientation_[static_cast<size_t>(o.set)]) {
                return Positive(o.value + *w);
            }
            return std::nullopt;
        case ObservationKind::Azimuth:
            return o.value;
        case ObservationKind::Angle:
            if (Known(o.backsight)) {
                return Positive(Bearing(X(o.from), Y(o.from), X(o.backsight), Y(o.backsight)) + o.value);
            }
            return std::nullopt;
        case ObservationKind::Distance:
            break;
        }
        return std::nullopt;
    }

    bool Round() {
        OrientSets();
        const size_t n = net_.points.size();
        std::vector<std::vector<Ray>> rays(n);
        std::vector<std::vector<Span>> spans(n);
        for (const Observation& o : net_.observations) {
            if (!Known(o.from) && !Known(o.to)) {
                continue;
            }
            if (o.kind == ObservationKind::Distance) {
                const int known = Known(o.from) ? o.from : o.to;
                const int other = known == o.from ? o.to : o.from;
                if (!Known(other)) {
                    spans[static_cast<size_t>(other)].push_back({known, o.value});
                }
            } else if (Known(o.from) && !Known(o.to)) {
                if (const auto b = OrientedBearing(o)) {
                    rays[static_cast<size_t>(o.to)].push_back({o.from, *b});
                }
            }
        }
        bool placed = false;
        for (size_t p = 0; p < n; ++p) {
            if (!result_.known[p] && Locate(static_cast<int>(p), rays[p], spans[p])) {
                placed = true;
                OrientSets();
            }
        }
        return placed;
    }

    bool Locate(int p, const std::vector<Ray>& rays, const std::vector<Span>& spans) {
        for (const Ray& r : rays) {
            for (const Span& s : spans) {
                if (s.station == r.station) {
                    Place(p, X(r.station) + s.distance * std::cos(r.bearing),
                          Y(r.station) + s.distance * std::sin(r.bearing));
                    return true;
                }
            }
        }
        for (size_t i = 0; i < rays.size(); ++i) {
            for (size_t j = i + 1; j < rays.size(); ++j) {
                if (Intersect(p, rays[i], rays[j])) {
                    return true;
                }
            }
        }
        for (size_t i = 0; i < spans.size(); ++i) {
            for (size_t j = i + 1; j < spans.size(); ++j) {
                if (spans[i].station != spans[j].station && Trilaterate(p, spans[i], spans[j], spans)) {
                    return true;
                }
            }
        }
        return Resect(p, rays, spans);
    }

    // Two rays crossing at an angle of at least about 1 gon.
    bool Intersect(int p, const Ray& a, const Ray& b) {
        const double ca = std::cos(a.bearing), sa = std::sin(a.bearing);
        const double cb = std::cos(b.bearing), sb = std::sin(b.bearing);
        const double det = ca * (-sb) - sa * (-cb);
        if (std::abs(det) < 0.015) {
            return false;
        }
        const double dx = X(b.station) - X(a.station), dy = Y(b.station) - Y(a.station);
        const double t = (dx * (-sb) - dy * (-cb)) / det;
        if (t <= 0.0) {
            return false;
        }
        Place(p, X(a.station) + t * ca, Y(a.station) + t * sa);
        return true;
    }

    // The direction set observed at p towards `target`, if any.
    std::optional<std::pair<int, double>> DirectionAt(int p, int target) const {
        for (const int i : atStation_[static_cast<size_t>(p)]) {
            const Observation& o = net_.observations[static_cast<size_t>(i)];
            if (o.to == target) {
                return std::make_pair(o.set, o.value);
            }
        }
        return std::nullopt;
    }

    // A resection at p from the directions it observed to known points, with its distances and the
    // rays towards it.
    bool Resect(int p, const std::vector<Ray>& rays, const std::vector<Span>& spans) {
        network::ResectionTies ties;
        std::vector<int> setOf;
        for (const int i : atStation_[static_cast<size_t>(p)]) {
            const Observation& o = net_.observations[static_cast<size_t>(i)];
            if (!Known(o.to)) {
                continue;
            }
            size_t k = 0;
            while (k < setOf.size() && setOf[k] != o.set) {
                ++k;
            }
            if (k == setOf.size()) {
                setOf.push_back(o.set);
                ties.sets.emplace_back();
            }
            ties.sets[k].push_back({X(o.to), Y(o.to), o.value});
        }
        for (const Span& s : spans) {
            ties.distances.push_back({X(s.station), Y(s.station), s.distance});
        }
        for (const Ray& r : rays) {
            ties.rays.push_back({X(r.station), Y(r.station), r.bearing});
        }
        if (const auto position = network::Resect(ties)) {
            Place(p, position->first, position->second);
            return true;
        }
        return false;
    }

    // Two circles; of their two crossings, the one that shows the clockwise angle observed at p between
    // the two known points, or else the one a third distance from a known point fits (by more than a
    // metre).  A crossing nothing tells apart stays unused.
    bool Trilaterate(int p, const Span& a, const Span& b, const std::vector<Span>& spans) {
        const double ax = X(a.station), ay = Y(a.station);
        const double dx = X(b.station) - ax, dy = Y(b.station) - ay;
        const double d = std::hypot(dx, dy);
        if (d <= 0.0 || d > a.distance + b.distance || d < std::abs(a.distance - b.distance)) {
            return false;
        }
        const double along = (a.distance * a.distance - b.distance * b.distance + d * d) / (2.0 * d);
        const double across = std::sqrt(std::max(0.0, a.distance * a.distance - along * along));
        double px[2], py[2];
        for (int side = 0; side < 2; ++side) {
            const double sign = side == 0 ? 1.0 : -1.0;
            px[side] = ax + (along * dx - sign * across * dy) / d;
            py[side] = ay + (along * dy + sign * across * dx) / d;
        }
        const auto da = DirectionAt(p, a.station);
        const auto db = DirectionAt(p, b.station);
        if (da && db && da->first == db->first) {
            const double observed = Positive(db->second - da->second);
            for (int side = 0; side < 2; ++side) {
                const double angle = Positive(Bearing(px[side], py[side], X(b.station), Y(b.station)) -
                                              Bearing(px[side], py[side], ax, ay));
                if (std::abs(network::Wrap(angle - observed)) < 0.1) {
                    Place(p, px[side], py[side]);
                    return true;
                }
            }
        }
        for (const Span& c : spans) {
            if (c.station == a.station || c.station == b.station) {
                continue;
            }
            double misfit[2];
            for (int side = 0; side < 2; ++side) {
                misfit[side] = std::abs(std::hypot(px[side] - X(c.station), py[side] - Y(c.station)) - c.distance);
            }
            if (std::abs(misfit[0] - misfit[1]) > 1.0) {
                const int side = misfit[0] < misfit[1] ? 0 : 1;
                Place(p, px[side], py[side]);
                return true;
            }
        }
        return false;
    }

    const Network& net_;
    ApproximateCoordinates result_;
    std::vector<std::optional<double>> orientation_;
    std::vector<std::vector<int>> atStation_; // the directions observed at each point
};

} // namespace

ApproximateCoordinates FindApproximateCoordinates(const Network& network) {
    return Finder(network).Run();
}

} // namespace vemo
