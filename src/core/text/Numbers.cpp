#include "core/text/Numbers.h"

#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace vemo {
namespace {

// Checks the decimal grammar; std::from_chars alone would accept "inf", "nan" and hexadecimal forms.
bool IsDecimalText(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < s.size() && IsAsciiDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsAsciiDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        size_t expDigits = 0;
        while (i < s.size() && IsAsciiDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

// The shortest decimal digits that read back as the value: value = 0.d1d2d3... * 10^(exponent + 1),
// i.e. d1 stands at 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros, at least one digit ("0" for zero)
    int exponent = 0;
};

Decimal ShortestDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    std::string_view text(buffer, end - buffer); // "d.ddde+XX"
    size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.') {
            d.digits.push_back(c);
        }
    }
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), d.exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero on the next digit.
void RoundDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits = "0";
        d.exponent = 0;
        return;
    }
    bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.digits = "0";
        d.exponent = 0;
    }
}

bool IsZero(const Decimal& d) {
    return d.digits == "0";
}

// Digit at 10^power of the decimal (0 outside its digits).
char DigitAt(const Decimal& d, int power) {
    int index = d.exponent - power;
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
}

std::string FixedText(double value, int minIntDigits, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    }
    Decimal d = ShortestDecimal(value);
    RoundDigits(d, d.exponent + 1 + decimals);
    std::string out;
    if (d.negative && !IsZero(d)) {
        out.push_back('-');
    }
    int highest = IsZero(d) ? 0 : std::max(d.exponent, 0);
    highest = std::max(highest, minIntDigits - 1);
    for (int p = highest; p >= 0; --p) {
        out.push_back(DigitAt(d, p));
    }
    if (decimals > 0) {
        out.push_back('.');
        for (int p = -1; p >= -decimals; --p) {
            out.push_back(DigitAt(d, p));
        }
    }
    return out;
}

} // namespace

std::optional<double> TryStrToFloat(std::string_view text) {
    std::string_view s = TrimView(text);
    if (!IsDecimalText(s)) {
        return std::nullopt;
    }
    if (s.front() == '+') {
        s.remove_prefix(1);
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) {
        // Underflow to a tiny number reads as zero; overflow is not a number a surveyor can use.
        if (ec == std::errc::result_out_of_range) {
            double approx = std::strtod(std::string(s).c_str(), nullptr);
            if (std::isfinite(approx) && std::fabs(approx) < 1.0) {
                return approx;
            }
        }
        return std::nullopt;
    }
    return value;
}

double StrToFloat(std::string_view text) {
    if (auto value = TryStrToFloat(text)) {
        return *value;
    }
    throw FieldError(msg::NotADecimalNumber(Excerpt(text)));
}

std::optional<int> TryStrToInt(std::string_view text) {
    std::string_view s = TrimView(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty()) {
        return std::nullopt;
    }
    unsigned long long magnitude = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    if (base == 16 && !negative && magnitude <= 0xFFFFFFFFull) {
        return static_cast<int>(static_cast<unsigned int>(magnitude)); // "$FFFFFFFF" is -1, as 32-bit hex
    }
    if (magnitude > 0x80000000ull) {
        return std::nullopt;
    }
    long long value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

int StrToInt(std::string_view text) {
    if (auto value = TryStrToInt(text)) {
        return *value;
    }
    throw FieldError(msg::NotAnInteger(Excerpt(text)));
}

std::string FormatPattern(double value, std::string_view pattern) {
    size_t point = pattern.find('.');
    int intZeros = 0;
    for (char c : pattern.substr(0, point)) {
        intZeros += c == '0';
    }
    int decimals = point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    return FixedText(value, intZeros, decimals);
}

std::string FormatFixed(double value, int decimals) {
    return FixedText(value, 1, decimals);
}

std::string FormatGeneral(double value) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    }
    constexpr int kPrecision = 15;
    Decimal d = ShortestDecimal(value);
    RoundDigits(d, kPrecision);
    if (IsZero(d)) {
        return "0";
    }
    std::string out = d.negative ? "-" : "";
    int count = static_cast<int>(d.digits.size());
    if (d.exponent >= kPrecision || d.exponent < -5) {
        out += d.digits.substr(0, 1);
        if (count > 1) {
            out += "." + d.digits.substr(1);
        }
        out += "E" + std::to_string(d.exponent);
        return out;
    }
    if (d.exponent < 0) {
        out += "0." + std::string(-d.exponent - 1, '0') + d.digits;
        return out;
    }
    for (int p = d.exponent; p >= 0; --p) {
        out.push_back(DigitAt(d, p));
    }
    if (count > d.exponent + 1) {
        out += "." + d.digits.substr(d.exponent + 1);
    }
    return out;
}

std::string Sprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0) {
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
    va_end(args);
    return out;
}

std::string LinePrefix(size_t lineNo) {
    return msg::AtLine(lineNo);
}

} // namespace vemo
