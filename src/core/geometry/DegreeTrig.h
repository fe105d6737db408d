#pragma once

// Internal to the geometry kernel: sine and cosine of an angle given in degrees, in extended precision.

namespace vemo::geometry_detail {

struct SinCos {
    long double sin;
    long double cos;
};

// Direction reduced to [0, 360).
long double NormalizeDegrees(long double degrees);

// The angle is first reduced to the nearest multiple of 90 plus a remainder within ±45, so that the
// cardinal directions give exact 0 and ±1: a line running due east has no north component at all and
// a crossing with it stays on it to the last bit.
SinCos SinCosDegrees(long double degrees);

// True when two unit direction vectors lie within the direction tolerance of each other or of the
// opposite direction: the lines they span do not cross at any usable point.
bool AreParallel(SinCos u1, SinCos u2);

} // namespace vemo::geometry_detail
