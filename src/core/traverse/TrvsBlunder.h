#pragma once

#include <optional>
#include <string>

namespace vemo {

struct TrvsPrecision;

// Where a misclosure stops being a measuring error and becomes a blunder (a mistyped angle or
// distance, a wrong point).  Settings [Trvs] BlunderAngle and BlunderRatio.
struct TrvsBlunderLimits {
    // Angular misclosure per station, in seconds: 60″ is several times what a 20″ instrument leaves
    // on a field traverse, and far below the minutes and degrees of a mistyped angle.
    int angleSecondsPerStation = 60;
    // Closure ratio: a traverse closing worse than 1 / 1000 (10 cm on 100 m) holds a wrong distance
    // or a wrong point; 0 turns the check off.
    int minRatio = 1000;
};

// A CP932 warning for a closed or connected traverse whose misclosure lies beyond the limits, naming
// the misclosure and the likely kind of error: an angle when the angular misclosure is too large (a
// wrong angle also spoils the coordinates), otherwise a distance.  Nothing when it is plausible.
std::optional<std::string> TraverseBlunderWarning(const TrvsPrecision& precision, const TrvsBlunderLimits& limits);

} // namespace vemo
