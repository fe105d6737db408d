#include "core/traverse/TrvsBlunderLocation.h"

#include "core/geometry/Angles.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsResults.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

struct Plane {
    double x = 0, y = 0;
};

Plane Step(double directionDeg, double distance) {
    const double r = DegToRad(directionDeg);
    return {distance * std::cos(r), distance * std::sin(r)};
}

// Into (-180°, 180°].
double Wrap180(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d > 180) {
        d -= 360;
    } else if (d <= -180) {
        d += 360;
    }
    return d;
}

// Legs whose direction explains the misclosure within this much of the best one (a few millimetres of
// measuring error, and about 2° of direction) are named beside it: the data cannot tell them apart.
constexpr double kParallelSlackMetres = 0.010;
constexpr double kParallelSlackShare = 0.035;
constexpr size_t kMostAlternatives = 2;
// The runs meet where they come much closer than the misclosure: a wrong distance keeps them the whole
// misclosure apart everywhere.
constexpr double kMeetingShare = 0.5;

} // namespace

std::optional<TrvsRoute> RouteOf(const TrvsInput& input, const AdjustedTraverse& adjusted) {
    if (adjusted.stations.empty()) {
        return std::nullopt;
    }
    const TrvsHeader& h = input.header;
    TrvsRoute route;
    route.connected = adjusted.trvsType == kTrvsConnected;
    route.startX = adjusted.start.x;
    route.startY = adjusted.start.y;
    route.startDirection = DmsToDeg(StartOutgoingPacked(h));
    if (route.connected) {
        route.endX = HeaderNumber(h.T2X);
        route.endY = HeaderNumber(h.T2Y);
        route.endDirection = DmsToDeg(EndOutgoingPacked(h));
    } else {
        route.endX = route.startX;
        route.endY = route.startY;
    }
    route.names.push_back(adjusted.start.name);
    for (size_t k = 0; k < adjusted.stations.size(); ++k) {
        const TrvsStation& s = adjusted.stations[k];
        route.angles.push_back(DmsToDeg(s.anglePacked));
        if (static_cast<int>(k) < adjusted.legs) {
            route.distances.push_back(s.hd);
        }
        if (k + 1 < adjusted.stations.size()) {
            route.names.push_back(s.name);
        }
    }
    return route;
}

std::optional<TrvsBlunderGuess> LocateTraverseBlunder(const TrvsRoute& route, double angleSigmaSeconds) {
    const int n = static_cast<int>(route.angles.size());
    const int legs = static_cast<int>(route.distances.size());
    if (n == 0 || legs == 0 || legs > n) {
        return std::nullopt;
    }
    // Forward run: from the start with the angles as measured.
    std::vector<double> forwardDir(static_cast<size_t>(n));
    double d = route.startDirection;
    for (int k = 0; k < n; ++k) {
        d += route.angles[k] + (k == 0 ? 0.0 : 180.0);
        forwardDir[k] = d;
    }
    std::vector<Plane> forward(static_cast<size_t>(legs) + 1);
    forward[0] = {route.startX, route.startY};
    for (int k = 0; k < legs; ++k) {
        const Plane s = Step(forwardDir[k], route.distances[k]);
        forward[k + 1] = {forward[k].x + s.x, forward[k].y + s.y};
    }
    // The direction the last angle should have led to: a connected traverse's end direction, a closed
    // one's last leg arriving at the start from its backsight.
    const double expected = route.connected ? route.endDirection : route.startDirection + 180.0;
    const double angleMisclosure = Wrap180(expected - forwardDir[n - 1]);
    // Backward run: from the end, turning the angles back.
    std::vector<double> backwardDir(static_cast<size_t>(n));
    backwardDir[n - 1] = expected;
    for (int k = n - 1; k > 0; --k) {
        backwardDir[k - 1] = backwardDir[k] - route.angles[k] - 180.0;
    }
    std::vector<Plane> backward(static_cast<size_t>(legs) + 1);
    backward[legs] = {route.endX, route.endY};
    for (int k = legs - 1; k >= 0; --k) {
        const Plane s = Step(backwardDir[k], route.distances[k]);
        backward[k] = {backward[k + 1].x - s.x, backward[k + 1].y - s.y};
    }
    const Plane c = {forward[legs].x - route.endX, forward[legs].y - route.endY};
    const double closure = std::hypot(c.x, c.y);
    const double angleErrorSeconds = -angleMisclosure * 3600.0;
    if (closure < 1e-9 && std::fabs(angleErrorSeconds) < 0.5) {
        return std::nullopt;
    }
    // An angle: the station where the two runs meet.  Station j is point j of the runs (a connected
    // traverse's end station the last point; a closed one's start station point 0, where the forward
    // run starts and the backward run arrives).
    const int stations = std::min(legs, n - 1);
    int station = 0;
    double angleResidual = INFINITY;
    for (int j = 0; j <= stations; ++j) {
        const double gap = std::hypot(forward[j].x - backward[j].x, forward[j].y - backward[j].y);
        if (gap < angleResidual) {
            angleResidual = gap;
            station = j;
        }
    }
    // A distance: the leg lying most nearly along the misclosure, either way; what is left across it
    // is what the distance cannot explain.  A wrong distance leaves the angles right, so their
    // misclosure is measuring error and is spread over them first, as the adjustment spreads it.
    Plane spread = {route.startX, route.startY};
    for (int k = 0; k < legs; ++k) {
        const double share = angleMisclosure * static_cast<double>(k + 1) / n;
        const Plane s = Step(forwardDir[k] + share, route.distances[k]);
        spread = {spread.x + s.x, spread.y + s.y};
    }
    const Plane cd = {spread.x - route.endX, spread.y - route.endY};
    std::vector<double> across(static_cast<size_t>(legs));
    int leg = 0;
    for (int k = 0; k < legs; ++k) {
        const Plane u = Step(forwardDir[k], 1.0);
        across[k] = std::fabs(cd.x * u.y - cd.y * u.x);
        if (across[k] < across[leg]) {
            leg = k;
        }
    }
    const double distanceResidual = across[leg];
    // An angle where the meeting of the runs explains the misclosure better than any leg, or where the
    // angles do not close within their measuring error and the runs do meet.
    const double angleNoise = 3 * angleSigmaSeconds * std::sqrt(static_cast<double>(n));
    if (angleResidual < distanceResidual ||
        (std::fabs(angleErrorSeconds) > angleNoise && angleResidual < kMeetingShare * closure)) {
        return TrvsBlunderGuess{TrvsBlunderGuess::Kind::Angle, station, angleErrorSeconds, {}};
    }
    const Plane u = Step(forwardDir[leg], 1.0);
    TrvsBlunderGuess guess{TrvsBlunderGuess::Kind::Distance, leg, cd.x * u.x + cd.y * u.y, {}};
    // Legs nearly parallel to it explain the misclosure as well: named too, the closest first.
    const double tolerance = kParallelSlackMetres + kParallelSlackShare * std::hypot(cd.x, cd.y);
    std::vector<int> others;
    for (int k = 0; k < legs; ++k) {
        if (k != leg && across[k] <= distanceResidual + tolerance) {
            others.push_back(k);
        }
    }
    std::sort(others.begin(), others.end(), [&](int a, int b) { return across[a] < across[b]; });
    for (size_t i = 0; i < others.size() && i < kMostAlternatives; ++i) {
        guess.alternatives.push_back(others[i]);
    }
    return guess;
}

} // namespace vemo
