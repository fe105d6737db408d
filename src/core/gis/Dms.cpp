#include "core/gis/Dms.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace vemo::gis {

std::string FormatDms(double degrees) {
    constexpr std::int64_t kTicksPerSecond = 10000; // 0.0001″
    std::int64_t ticks = std::llround(std::fabs(degrees) * 3600.0 * kTicksPerSecond);
    std::int64_t wholeSeconds = ticks / kTicksPerSecond;
    std::int64_t fraction = ticks % kTicksPerSecond;
    std::string sign = degrees < 0 && ticks != 0 ? "-" : "";
    return sign + std::to_string(wholeSeconds / 3600) + Jp("°") +
           Sprintf("%02lld", static_cast<long long>(wholeSeconds / 60 % 60)) + Jp("′") +
           Sprintf("%02lld.%04lld", static_cast<long long>(wholeSeconds % 60), static_cast<long long>(fraction)) +
           Jp("″");
}

std::string FormatDecimalDegrees(double degrees) {
    return Sprintf("%.9f", degrees);
}

namespace {

// The text with every degree, minute and second mark turned into a blank.
std::string MarksToBlanks(std::string_view text) {
    std::string result(text);
    for (const std::string& mark : {Jp("°"), Jp("′"), Jp("″"), Jp("　"), std::string("'"), std::string("\"")}) {
        for (size_t at = result.find(mark); at != std::string::npos; at = result.find(mark, at)) {
            result.replace(at, mark.size(), " ");
        }
    }
    return result;
}

std::vector<std::string> SplitBlanks(const std::string& text) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!current.empty()) {
                parts.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    return parts;
}

} // namespace

std::optional<double> ParseAngle(std::string_view cp932Text) {
    std::vector<std::string> parts = SplitBlanks(MarksToBlanks(cp932Text));
    if (parts.empty() || parts.size() > 3) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (const std::string& part : parts) {
        std::optional<double> value = TryStrToFloat(part);
        if (!value || !std::isfinite(*value)) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    if (values.size() == 1) {
        return values[0];
    }
    bool negative = parts[0].starts_with('-');
    for (size_t i = 1; i < values.size(); ++i) {
        if (values[i] < 0 || values[i] >= 60) {
            return std::nullopt;
        }
    }
    double magnitude = std::fabs(values[0]) + values[1] / 60.0 + (values.size() == 3 ? values[2] / 3600.0 : 0.0);
    return negative ? -magnitude : magnitude;
}

} // namespace vemo::gis
