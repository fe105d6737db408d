#include "core/files/Fields.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cmath>

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

// Adds one unit in the last digit of a run of decimal digits ("0999" -> "1000", "99" -> "100").
void IncrementDigits(std::string& digits) {
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') {
        digits[--i] = '0';
    }
    if (i == 0) {
        digits.insert(digits.begin(), '1');
    } else {
        ++digits[i - 1];
    }
}

// Three-decimal text of a plain decimal ("12.3456" -> "12.346") by rounding its digits half away from
// zero, without the trip through a double: reading 100,000 points meets 300,000 such fields.  Up to 15
// significant digits a decimal is exactly the shortest form of the double it reads as (DBL_DIG), so
// this gives what Format3(StrToFloat(text)) gives; longer or other texts return false.
bool RoundDecimalText(std::string_view s, std::string& out) {
    size_t signLength = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    bool negative = signLength == 1 && s[0] == '-';
    size_t i = signLength;
    while (i < s.size() && s[i] == '0') {
        ++i; // leading zeros carry nothing
    }
    size_t intStart = i;
    while (i < s.size() && IsAsciiDigit(s[i])) {
        ++i;
    }
    std::string_view intDigits = s.substr(intStart, i - intStart);
    std::string_view frac;
    if (i < s.size() && s[i] == '.') {
        size_t fracStart = ++i;
        while (i < s.size() && IsAsciiDigit(s[i])) {
            ++i;
        }
        frac = s.substr(fracStart, i - fracStart);
    }
    bool anyDigit = intStart > signLength || !intDigits.empty() || !frac.empty();
    if (i != s.size() || !anyDigit) {
        return false;
    }
    std::string_view significantFrac = frac.substr(0, frac.find_last_not_of('0') + 1);
    size_t significant = intDigits.empty() ? significantFrac.size() - std::min(significantFrac.size(),
                                                                               significantFrac.find_first_not_of('0'))
                                           : intDigits.size() + significantFrac.size();
    if (significant > 15) {
        return false;
    }
    std::string digits(intDigits);
    digits.append(frac.substr(0, 3));
    digits.append(3 - std::min<size_t>(3, frac.size()), '0');
    if (frac.size() > 3 && frac[3] >= '5') {
        IncrementDigits(digits);
    }
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    bool zero = digits.find_first_not_of('0') == std::string::npos;
    out.clear();
    if (negative && !zero) {
        out += '-';
    }
    out.append(digits, 0, digits.size() - 3);
    out += '.';
    out.append(digits, digits.size() - 3, 3);
    return true;
}

} // namespace

namespace {

void CheckCoordinate(double value, std::string_view text, const char* utf8Label) {
    if (!(std::fabs(value) <= kMaxCoordinate)) {
        throw FieldError(msg::CoordinateOutOfRange(Jp(utf8Label), Excerpt(text)));
    }
}

} // namespace

std::string ReadCoordinateText(std::string_view field) {
    std::string_view s = TrimView(field);
    std::string out;
    if (RoundDecimalText(s, out)) {
        return out;
    }
    return Format3(ReadNumberField(s));
}

std::string ReadFileCoordinate(std::string_view field, const char* utf8Label) {
    std::string out = ReadCoordinateText(field);
    // Up to 10,000,000.000 the text has at most eight digits before the point.
    if (out.size() >= 12 + (out[0] == '-' ? 1u : 0u)) {
        CheckCoordinate(StrToFloat(out), TrimView(field), utf8Label);
    }
    return out;
}

} // namespace vemo
