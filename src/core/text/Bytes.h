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

// A point name cut before its trailing run of ASCII digits ("T010" -> "T", "010").  The run is never
// part of a double-byte character, since CP932 trail bytes start at 0x40.
struct DigitRun {
    std::string_view prefix;
    std::string_view digits;
};
DigitRun SplitTrailingDigits(std::string_view name);

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

// The first `maxBytes` bytes of CP932 text at most, without a lead byte whose trail byte the cut would
// drop (a field of fixed width, a name the coordinate file can hold).
std::string CutBytes(std::string_view text, size_t maxBytes);

// A piece of file content for a message: at most about `maxBytes` bytes of the field, never a CP932
// character cut in half, followed by "…" when shortened.  Control bytes and bytes that are not CP932
// show as \xNN, so that a NUL cannot end the message early and an escape sequence cannot reach a
// terminal.
std::string Excerpt(std::string_view field, size_t maxBytes = 32);

} // namespace vemo
