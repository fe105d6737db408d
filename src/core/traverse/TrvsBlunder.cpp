#include "core/traverse/TrvsBlunder.h"

#include "core/text/Cp932.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsPrecision.h"

#include <cstdlib>

namespace vemo {

namespace {

// 648000″ as "180°00′00″".
std::string SecondsText(std::int64_t seconds) {
    const std::int64_t magnitude = std::llabs(seconds);
    return Sprintf(Jp("%s%lld°%02lld′%02lld″").c_str(), seconds < 0 ? "-" : "",
                   static_cast<long long>(magnitude / 3600), static_cast<long long>(magnitude / 60 % 60),
                   static_cast<long long>(magnitude % 60));
}

} // namespace

std::optional<std::string> TraverseBlunderWarning(const TrvsPrecision& p, const TrvsBlunderLimits& limits) {
    const int n = p.stations > 0 ? p.stations : 1;
    const std::int64_t angleLimit = static_cast<std::int64_t>(limits.angleSecondsPerStation) * n;
    const bool angle = limits.angleSecondsPerStation > 0 && std::llabs(p.angleMisclosure) > angleLimit;
    const bool ratio = limits.minRatio > 0 && p.ratio < limits.minRatio;
    if (!angle && !ratio) {
        return std::nullopt;
    }
    const std::string angleText = SecondsText(p.angleMisclosure);
    return msg::MisclosureTooLarge(
        {angleText, p.angleMisclosure, n, limits.angleSecondsPerStation, p.closure, p.ratio, limits.minRatio, angle});
}

} // namespace vemo
