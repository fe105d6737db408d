#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vemo {

struct AdjustedTraverse;
struct TrvsInput;

// A closed or connected traverse as it was measured, before any adjustment: what blunder location
// runs over.  Directions and angles in decimal degrees, clockwise from X (north).
struct TrvsRoute {
    bool connected = false;
    double startX = 0, startY = 0;
    // From the start point towards its backsight.
    double startDirection = 0;
    // Connected: the end point and the direction from it towards its sighting point.  A closed
    // traverse ends where it started, arriving from its backsight.
    double endX = 0, endY = 0;
    double endDirection = 0;
    // The angle measured at station k (k = 0 the start point), clockwise from the previous station (or
    // the backsight) to the next; names[k] names station k.
    std::vector<double> angles;
    std::vector<std::string> names;
    // Leg k runs from station k to station k + 1 (a closed traverse's last leg back to the start).
    std::vector<double> distances;
};

// The route of an adjusted traverse: its measured angles and distances and the known points and
// directions of its header.  Nothing for a result without stations.
std::optional<TrvsRoute> RouteOf(const TrvsInput& input, const AdjustedTraverse& adjusted);

// The most likely single blunder of a route.
struct TrvsBlunderGuess {
    enum class Kind { Angle, Distance };
    Kind kind = Kind::Angle;
    // Angle: the station (index into the route's names).  Distance: the leg, from names[index] to the
    // next station.
    int index = 0;
    // Angle: the likely error of the angle in seconds (measured minus true).  Distance: the likely
    // error of the distance in metres (measured minus true).
    double size = 0;
    // Distance: other legs nearly parallel to the named one, which would explain the misclosure as
    // well (the closest first, at most two).
    std::vector<int> alternatives;
};

// Locates the likely blunder of a route whose misclosure is too large.
//
// The route is computed from both ends with the angles as measured.  A single wrong angle turns every
// later leg of one run and every earlier leg of the other, so only at its own station do the two runs
// meet (a closed traverse's start angle and a connected one's end angle leave the positions closed and
// meet at that end).  A wrong distance instead keeps the two runs the whole misclosure apart
// everywhere, and the misclosure lies along its leg.  An angle is named, at the station where the runs
// come closest, when the angle misclosure exceeds three times `angleSigmaSeconds` √n or the meeting
// explains the misclosure better than any leg does; otherwise the leg whose direction lies nearest to
// the misclosure's, with the misclosure's share along it as the likely error.  Nothing for a route
// that closes exactly.
std::optional<TrvsBlunderGuess> LocateTraverseBlunder(const TrvsRoute& route, double angleSigmaSeconds = 5.0);

} // namespace vemo
