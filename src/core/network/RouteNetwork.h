#pragma once

#include "core/network/Network.h"
#include "core/zub/ZubRecord.h"

#include <map>
#include <string>
#include <vector>

namespace vemo {

class TrvsKnownPoints;
class TrvsTable;
struct TrvsHeader;
struct TrvsOptions;

// The a priori standard deviations a survey sets for routes observed with a total station: the angle
// M_T and the distance model σ = √(M_S² + (K·S)²).
struct RouteSigmas {
    double angle = 1.8 / 206264.80624709636; // M_T (radians)
    double distanceConstant = 0.010;         // M_S (m)
    double distanceRatio = 5e-6;             // K
};

// Traverse routes (.Trv files, or the traverse window's table) gathered into one network: every
// computed row gives the angle at its instrument from its backsight to its target and, with a slope
// distance, the horizontal distance; the start direction turns the angles of the start setup into
// fixed azimuths, and a connected route's closing angle at its end point into the azimuth back along
// its last leg.  The start and end points are known points held fixed, as are the points of the
// coordinate list the rows name; a point named in several routes is one point.  The unadjusted
// traverse gives the new points' approximate coordinates.
class RouteNetworkBuilder {
public:
    explicit RouteNetworkBuilder(const RouteSigmas& sigmas) : sigmas_(sigmas) {}

    // Adds one route; the rows it could not compute come back as CP932 messages.
    std::vector<std::string> AddRoute(const TrvsHeader& header, const TrvsTable& table, const TrvsOptions& options,
                                      const TrvsKnownPoints& known);

    // Adds a field book (the records of a ZUB file) reduced as the rules reduce it: each station to the
    // mean of both faces and of its sets.  A station's directions become one direction set (an
    // orientation unknown of its own); the mean slope distance of each sight, reduced to the horizontal
    // with its mean zenith angle, becomes a horizontal distance.  Stations and targets in the coordinate
    // list are known points held fixed.  What the book holds that cannot be taken comes back as CP932
    // notes naming the record.
    std::vector<std::string> AddFieldBook(const std::vector<ZubRow>& rows, const TrvsKnownPoints& known);

    const Network& network() const { return network_; }

private:
    int PointIndex(const std::string& name, const TrvsKnownPoints& known);
    void Fix(int point, double x, double y);
    void Approximate(int point, double x, double y);
    void AddAzimuth(int from, int to, double degrees);

    RouteSigmas sigmas_;
    Network network_;
    std::map<std::string, int> index_;
};

} // namespace vemo
