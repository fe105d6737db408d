#pragma once

#include <cstdint>
#include <string>

namespace vemo {

// Angles in this program have four forms:
//   - decimal degrees: what every computation works with;
//   - packed sexagesimal D.MMSS: what the surveyor types and reads in angle fields.  The integer part
//     is degrees, the first two decimals minutes, the next two seconds, further decimals fractions of
//     a second (90°05'30" is 90.0530);
//   - sexagesimal text "D-MM-SS" with whole seconds, shown in result grids ("123-04-06");
//   - whole degrees, minutes and seconds as integers (Dms) or as a count of seconds, which the
//     traverse uses to sum and distribute angles exactly.
//
// Directions (方向角) are decimal degrees measured clockwise from north (+X): north 0, east 90,
// south 180, west 270, normally in [0, 360).  Turning by +90 points to the right of the direction of
// travel, by -90 to the left.
//
// A negative angle is read and written as the mirror image of its magnitude: -1.3000 packed is
// -1°30'00" = -1.5 decimal degrees and is shown as "-1-30-00".

// Added before every floor() that takes the whole degrees, minutes or a carry out of an angle, so that
// a value a few units in the last place below an integer (12.9999999999 for 13) gives that integer.
inline constexpr double kAngleGuard = 1e-7;

// Degree/radian factors, held in extended precision so that products keep every bit of a double.
inline constexpr long double kDegToRad = 0.017453292519943295769236907684886L; // pi / 180
inline constexpr long double kRadToDeg = 57.295779513082320876798154814105L;   // 180 / pi

// Decimal degrees to radians and back; the product is formed in extended precision.
double DegToRad(double degrees);
double RadToDeg(double radians);

// Packed D.MMSS to decimal degrees.  Fractions of a second are kept (12.34565 is 12°34'56.5").
// Minutes or seconds of 60 or more are not refused: 0.7000 reads as 70' = 1.1666... degrees.
// 12.3456 -> 12.58222...
double DmsToDeg(double packed);

// Decimal degrees to packed D.MMSS, rounded half up to whole seconds with the carry through minutes
// into degrees (29.99999 -> 30.0000).  There is no reduction modulo 360: 359.99999 -> 360.0000.
// A result of zero is +0, never -0.
double DegToDms(double degrees);

// Decimal degrees to the text "D-MM-SS": degrees without leading zeros, minutes and seconds as two
// digits, rounded to whole seconds with the carry (10.99999 -> "11-00-00", 0 -> "0-00-00").  No
// reduction modulo 360 (359.99999 -> "360-00-00").  A negative angle that rounds to at least one
// second gets a leading "-"; one that rounds to zero is "0-00-00".  Throws vemo::Error for a value
// that is not finite.
std::string DegToDmsText(double degrees);

// Whole degrees, minutes and seconds.
struct Dms {
    int degrees = 0;
    int minutes = 0;
    int seconds = 0;

    friend bool operator==(const Dms&, const Dms&) = default;
};

// Splits packed D.MMSS into its integer parts after rounding it to four decimals (whole seconds) the
// way the angle field shows it: 12.34565 -> 12°34'57".  Minutes and seconds are taken as written
// (0.7000 -> 0°70'00"), use CarryDms to normalise.  The sign stays on the degrees only:
// -1.3 -> {-1, 30, 0}; for a negative angle of less than one degree the sign is lost (-0.3 ->
// {0, 30, 0}), so callers that may see negative angles test the sign of the packed value themselves.
// Throws vemo::Error (a Japanese message, the value came from the user) for a value that is not finite
// or whose degrees do not fit an int.
Dms SplitDms(double packed);

// Carries seconds of 60 or more into minutes and minutes of 60 or more into degrees
// ({0, 59, 61} -> {1, 0, 1}).  Negative parts are left as they are.
Dms CarryDms(Dms dms);

// Sum of two packed angles as a packed angle, in whole seconds with the carry (0.5959 + 0.0001 ->
// 1.0000).  No reduction modulo 360 (350.3030 + 20.3030 -> 371.0100).  Negative angles add as signed
// angles (10.3000 + -0.4500 -> 9.4500).  Throws like SplitDms.
double AddDms(double a, double b);

// Packed angle as a signed count of whole seconds (1.0001 -> 3601, -1.3000 -> -5400).  64 bits
// because the traverse sums hundreds of angles.  Throws like SplitDms.
std::int64_t DmsToSeconds(double packed);

// Whole degrees, minutes and seconds written as packed D.MMSS (formed in extended precision, so
// {12, 34, 56} gives the double nearest to 12.3456).  Parts are taken as given, use CarryDms first.
double PackDms(Dms dms);

// A signed count of whole seconds as a packed angle, the inverse of DmsToSeconds (5400 -> 1.3000,
// -3601 -> -1.0001): exact sexagesimal arithmetic is done in seconds and written back with this.
double SecondsToDms(std::int64_t seconds);

// Included angle (夾角) at a vertex, in decimal degrees: the clockwise angle from the previous point to
// the next point, in [0, 360).  `back` is the direction of the incoming leg (previous point -> vertex),
// `fore` the direction of the outgoing leg (vertex -> next point), both decimal degrees.  Coming in
// heading east (back 90) and leaving heading north (fore 0) gives 90.
//
// `guard` is added before the reduction modulo 360: with kIncludedAngleOpenGuard an angle a hair below
// 360 becomes a hair below 0 (it shows as 0-00-00), with kIncludedAngleRadialGuard it stays below 360.
double IncludedAngle(double back, double fore, double guard);

// Guard of the sequential (open traverse style) angle list, where a full turn is read as no turn.
inline constexpr double kIncludedAngleOpenGuard = 1e-7;
// Guard of the radial angle list (angles at one station from a backsight).
inline constexpr double kIncludedAngleRadialGuard = 0.0;

} // namespace vemo
