#include "core/files/Fields.h"

#include "core/text/Bytes.h"
#include "core/text/Numbers.h"

namespace vemo {

void AppendLeft(std::string& out, std::string_view text, size_t width) {
    out.append(text);
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
}

void AppendRight(std::string& out, std::string_view text, size_t width) {
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    out.append(text);
}

double ReadNumberField(std::string_view field) {
    std::string_view s = TrimView(field);
    if (s.empty() || s == "+" || s == "-") {
        return 0.0;
    }
    return StrToFloat(s);
}

namespace {

// Text that already is exactly what three-decimal formatting would give back ("-12.340"): reading
// 100,000 points mostly meets such fields, and skipping the number round trip keeps loading fast.
bool IsCanonicalThreeDecimals(std::string_view s) {
    size_t i = s.starts_with('-') ? 1 : 0;
    size_t point = s.find('.');
    if (point == std::string_view::npos || s.size() != point + 4 || point == i) {
        return false;
    }
    if (point - i > 1 && s[i] == '0') {
        return false; // leading zero
    }
    for (size_t k = i; k < s.size(); ++k) {
        if (k != point && (s[k] < '0' || s[k] > '9')) {
            return false;
        }
    }
    // "-0.000" formats without its sign.  Up to 15 significant digits a decimal survives the trip through
    // a double unchanged (DBL_DIG); longer texts are left to the formatter.
    return !(i == 1 && s.substr(1) == "0.000") && point - i <= 12;
}

} // namespace

std::string ReadCoordinateText(std::string_view field) {
    std::string_view s = TrimView(field);
    if (IsCanonicalThreeDecimals(s)) {
        return std::string(s);
    }
    return Format3(ReadNumberField(s));
}

} // namespace vemo
