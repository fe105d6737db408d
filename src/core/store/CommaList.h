#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The comma-separated list encoding of parcel vertex lists, parcel files, traverse files and ZUB files.
// An item holding a byte 0x01-0x20, a double quote or a comma is quoted (inner quotes doubled); a list
// of one empty item is two double quotes; other empty items are written as nothing.
std::string EncodeCommaList(const std::vector<std::string>& items);

// Decoding: an unquoted item ends at the next byte 0x00-0x20 or comma (so "A 1" is two items), an
// empty item between two commas is kept, a trailing comma adds no item, a trailing newline is ignored.
std::vector<std::string> DecodeCommaList(std::string_view text);

} // namespace vemo
