#pragma once

#include "core/network/Network.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The axes of a network file: the bearings (radians, clockwise from north) of its x and y axes, so that
// a file's "x" may be east or south as well as north.
struct NetworkAxes {
    double xBearing = 0.0;
    double yBearing = 1.5707963267948966;

    // This program's X (north) and Y (east) from a file's x, y, and back.
    void ToNorthEast(double x, double y, double& north, double& east) const;
    void FromNorthEast(double north, double east, double& x, double& y) const;
};

// A network file of the free adjustment package's local format ("gama-local" XML, .gkf): its points
// (fix="xy" known, adj="xy" new, coordinates of a new point taken as approximate; adj="XY" a free
// network's datum point; fix before adj), control coordinates (<coordinates> with a <cov-mat> of
// variances in mm²: known points held by their standard deviations), its sets of
// observations (<obs from=...> with direction, angle, distance and azimuth, each with an optional
// stdev), the defaults of the standard deviations (<points-observations direction-stdev=...
// distance-stdev="a b c" (a + b·D_km^c, millimetres)>), <parameters conf-pr sigma-act>, and the
// orientation of the axes (axes-xy ne, en, sw, ... ) and of the angles (left-handed: clockwise).
// Angles are in gon (standard deviations in 0.0001 gon) unless written d-m-s (standard deviations in
// seconds); an azimuth is the bearing from north.  What the plane adjustment does not take (heights,
// slope distances, zenith angles, vectors, covariances between observations or between coordinates) is
// refused, naming the element.
struct GkfNetwork {
    Network network;
    NetworkAxes axes;
    double sigmaApriori = 10.0; // the file's a priori σ0 (its own units), for showing σ0 as it would
    bool degrees = false;       // angles were written d-m-s
};

// Throws vemo::Error with a message naming the file, the line and the reason.
GkfNetwork ParseGkf(std::string_view xml, std::string_view fileName);
GkfNetwork ReadGkfFile(const std::filesystem::path& path);

// An angle of the file: "d-m-s[.s]" (a sign allowed) in degrees, else a decimal number in gon; radians.
// Nothing when it is neither.
std::optional<double> ParseGkfAngle(std::string_view text, bool& degrees);

} // namespace vemo
