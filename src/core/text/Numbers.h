#pragma once

#include "core/text/Error.h"

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// Numbers are held as text wherever the surveyor sees them.  Reading is strict: a cell that is not a
// plain decimal number stops the command with the conversion message, it never silently becomes 0.

// Decimal number: optional sign, digits with an optional point, optional exponent ("12.5", "-.5",
// "1e3").  Blanks around it are ignored.  Throws vemo::FieldError "'<text>' は浮動小数点数ではありません"
// (the text quoted as a short excerpt with unprintable bytes escaped, see Excerpt).
double StrToFloat(std::string_view text);
std::optional<double> TryStrToFloat(std::string_view text);

// 32-bit integer: optional sign and decimal digits, or "$" followed by hexadecimal digits.  Blanks
// around it are ignored.  Throws vemo::FieldError "'<text>' は整数ではありません".
int StrToInt(std::string_view text);
std::optional<int> TryStrToInt(std::string_view text);

// "<n>行目: " in front of a message about the content of a file.
std::string LinePrefix(size_t lineNo);

// Reads one line of a file; a number that does not convert is reported with the line number.
template <class ReadLine> void AtLine(size_t lineNo, ReadLine&& readLine) {
    try {
        readLine();
    } catch (const FieldError& error) {
        throw Error(LinePrefix(lineNo) + error.what());
    }
}

// Formats by a decimal pattern such as "0.000", "00", "0.0000": the zeros before the point give the
// least number of integer digits, those after it the number of decimals.  Rounding is half away from
// zero on the shortest decimal form of the value, so 0.1235 typed by a surveyor shows as 0.124 and
// 2.5 with "0" as 3, not as the binary neighbour would round.  A result of zero carries no sign.
std::string FormatPattern(double value, std::string_view pattern);

// The same rounding with a given number of decimals: FormatFixed(v, 3) == FormatPattern(v, "0.000").
std::string FormatFixed(double value, int decimals);

// Coordinates are shown and stored with three decimals ("0.000").
inline std::string Format3(double value) {
    return FormatFixed(value, 3);
}

// General number format: the shortest form with at most 15 significant digits ("12.5", "-3", "0.1");
// scientific ("1.5E-7", "1E20") below 0.00001 or with more than 15 integer digits.
std::string FormatGeneral(double value);

// printf into a std::string (numbers in the "C" locale, which the program sets at start).
std::string Sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace vemo
