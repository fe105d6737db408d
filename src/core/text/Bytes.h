#pragma once

#include <string>
#include <string_view>

namespace vemo {

// Byte-level helpers for CP932 text.  "Blank" means any byte 0x00-0x20, the set the file readers and
// the grid trim; a CP932 trail byte is never below 0x40, so trimming cannot cut a character in half.
constexpr bool IsBlank(unsigned char c) {
    return c <= 0x20;
}
// '0' .. '9' only: a CP932 trail byte can fall in this range, so callers look at single-byte text.
constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// ASCII letters a-z to upper case; double-byte characters (including their trail bytes) are kept.
std::string UpperAscii(std::string_view text);

// Case-insensitive comparison of ASCII text (section and key names, file extensions).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Extension of a file name including the dot (".Xyz"), or empty.
std::string_view Extension(std::string_view fileName);

} // namespace vemo
