#include "core/edit/PointName.h"

#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <limits>

namespace vemo {
namespace {

// In Dec mode the names without a prefix run through a fixed cycle once the counter passes zero:
// "" -> "1" .. "9" -> "10" -> "09" .. "00" -> "" (a lone digit always counts up).
constexpr std::uint64_t kDecCycleLength = 21;

std::string Padded(std::int64_t value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    return text;
}

// A name whose counter simply moves: a digit run that is not a lone digit.
bool CountsRegularly(std::string_view name, const DigitRun& parts) {
    return !parts.digits.empty() && name.size() > 1;
}

} // namespace

void RequireStorableName(std::string_view name) {
    if (name.size() > kPointNameBytes) {
        throw Error(msg::PointNameTooLong(name));
    }
}

std::string NextPointName(std::string_view previous, bool increment) {
    if (previous.empty()) {
        return "1";
    }
    DigitRun parts = SplitTrailingDigits(previous);
    if (previous.size() == 1 && parts.digits.size() == 1) {
        return std::to_string(previous[0] - '0' + 1);
    }
    if (parts.digits.empty()) {
        return std::string(previous) + "2";
    }
    std::int64_t n = StrToInt(parts.digits);
    if (!increment && n == 0) {
        return {};
    }
    return std::string(parts.prefix) + Padded(increment ? n + 1 : n - 1, parts.digits.size());
}

std::string AdvancePointName(std::string_view start, bool increment, std::uint64_t steps) {
    constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
    std::string name(start);
    while (steps > 0) {
        DigitRun parts = SplitTrailingDigits(name);
        if (CountsRegularly(name, parts)) {
            std::int64_t n = StrToInt(parts.digits);
            size_t width = parts.digits.size();
            if (increment) {
                // Each intermediate run is read as an integer by the following step.
                if (static_cast<std::uint64_t>(kIntMax - n) < steps - 1) {
                    StrToInt(Padded(kIntMax + 1, width)); // throws the conversion message
                }
                return std::string(parts.prefix) + Padded(n + static_cast<std::int64_t>(steps), width);
            }
            std::int64_t down =
                std::min<std::int64_t>(n, static_cast<std::int64_t>(std::min<std::uint64_t>(steps, kIntMax)));
            name = std::string(parts.prefix) + Padded(n - down, width);
            steps -= static_cast<std::uint64_t>(down);
            if (steps == 0) {
                break;
            }
        } else if (name.empty() && !increment && steps >= kDecCycleLength) {
            steps %= kDecCycleLength;
            continue;
        }
        name = NextPointName(name, increment);
        --steps;
    }
    return name;
}

} // namespace vemo
