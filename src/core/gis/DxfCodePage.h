#pragma once

#include <string>
#include <string_view>

namespace vemo::gis {

// GDAL's DXF writer spells every text character outside Latin-1 as a "\U+XXXX" escape and writes
// Latin-1 characters as raw bytes, whatever code page the drawing declares.  Japanese CAD programs read
// a drawing declared ANSI_932 as Shift-JIS, and not all of them know the escapes, so the text values
// (group code 1) are recoded to CP932 bytes.  A character CP932 lacks keeps (or gets) its escape.  A
// doubled backslash is a literal backslash and is left alone.  Every other line stays as it is.
std::string RecodeDxfTextsToCp932(std::string_view dxf);

// A code point of the Basic Multilingual Plane as UTF-8.
std::string Utf8Of(char32_t c);

} // namespace vemo::gis
