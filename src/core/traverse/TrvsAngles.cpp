#include "core/traverse/TrvsAngles.h"

#include <cmath>
#include <cstdlib>

namespace vemo {

namespace {

constexpr std::int64_t kHalfTurn = 180 * 3600;
constexpr std::int64_t kFullTurn = 360 * 3600;

std::int64_t Seconds(const Dms& dms) {
    return std::int64_t{dms.degrees} * 3600 + std::int64_t{dms.minutes} * 60 + dms.seconds;
}

} // namespace

std::int64_t ClosedAngleMisclosure(const Dms& measuredSum, int n) {
    const std::int64_t measured = Seconds(measuredSum);
    const std::int64_t interior = (n - 2) * kHalfTurn - measured;
    const std::int64_t exterior = (n + 2) * kHalfTurn - measured;
    return std::llabs(exterior) < std::llabs(interior) ? exterior : interior;
}

std::int64_t ConnectedAngleMisclosure(const Dms& measuredSum, double startOutgoing, double endOutgoing, int n) {
    const double sum = PackDms({measuredSum.degrees % 360, measuredSum.minutes, measuredSum.seconds});
    const double computed = std::fmod(AddDms(sum, startOutgoing) + static_cast<double>((n - 1) * 180 % 360), 360.0);
    // Into (-180°, 180°] with one remainder rather than a loop of turns.
    std::int64_t misclosure = (DmsToSeconds(endOutgoing) - DmsToSeconds(computed)) % kFullTurn;
    if (misclosure > kHalfTurn) {
        misclosure -= kFullTurn;
    } else if (misclosure <= -kHalfTurn) {
        misclosure += kFullTurn;
    }
    return misclosure;
}

std::vector<int> DistributeAngleMisclosure(std::int64_t misclosure, int n) {
    const std::int64_t magnitude = std::llabs(misclosure);
    const int sign = misclosure < 0 ? -1 : 1;
    const auto share = static_cast<int>(magnitude / n);
    const auto remainder = static_cast<int>(magnitude % n);
    std::vector<int> corrections(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        corrections[k] = sign * (k < remainder ? share + 1 : share);
    }
    return corrections;
}

Dms CorrectAngle(double packed, int seconds) {
    std::int64_t total = DmsToSeconds(packed) + seconds;
    if (total < 0) {
        total += kFullTurn;
    }
    return {static_cast<int>(total / 3600), static_cast<int>(total / 60 % 60), static_cast<int>(total % 60)};
}

} // namespace vemo
