#pragma once

namespace vemo {

// A point of the survey plane, in metres.  X is the north coordinate and always comes first; Y is east.
// On the plot X grows upwards and Y to the right, so the plane is the mirror image of the usual
// mathematical (x right, y up) plane and directions turn clockwise.
struct PlanePoint {
    double x = 0; // north (m)
    double y = 0; // east (m)

    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

} // namespace vemo
