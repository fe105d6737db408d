#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// Core text is CP932 (Windows Shift-JIS) bytes exactly as they stand in the files.  These helpers are
// the only way text crosses into or out of UTF-8 (the window layer, file names, source literals).

// Decodes CP932 for display.  A byte sequence that is not valid CP932 (a lone lead byte, an unassigned
// code) shows as U+FFFD per byte; the data itself is never rewritten.
std::string Cp932ToUtf8(std::string_view cp932);

// Encodes UTF-8 as CP932; nothing when a character has no CP932 form (an emoji, say) or the input is
// not valid UTF-8.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// A Japanese literal of the source (UTF-8) as CP932 data: Jp("口座名").  Throws std::logic_error for a
// literal that CP932 cannot hold, which is a programming fault.
std::string Jp(std::string_view utf8Literal);

// True for the first byte of a CP932 double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

} // namespace vemo
