#pragma once

#include <string>
#include <string_view>

namespace vemo {

class XyzList;
struct DuplicateKey;

// Duplicate keys as byte strings that are equal exactly when every chosen cell is equal: each cell is
// written with its length in front, so no two different rows can run together into the same key.
void AppendKeyField(std::string& key, std::string_view cell);

// The chosen cells of a row other than the name (X and Y, Z).
std::string RestKey(const XyzList& list, int row, const DuplicateKey& key);

// The whole key of a row: its name when chosen, then the rest.
std::string RowKey(const XyzList& list, int row, const DuplicateKey& key);

} // namespace vemo
