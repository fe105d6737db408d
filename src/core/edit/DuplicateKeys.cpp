#include "core/edit/DuplicateKeys.h"

#include "core/edit/Cleanup.h"
#include "core/store/XyzList.h"

#include <cstdint>

namespace vemo {

void AppendKeyField(std::string& key, std::string_view cell) {
    std::uint32_t length = static_cast<std::uint32_t>(cell.size());
    key.append(reinterpret_cast<const char*>(&length), sizeof length);
    key.append(cell);
}

std::string RestKey(const XyzList& list, int row, const DuplicateKey& key) {
    std::string out;
    if (key.xy) {
        AppendKeyField(out, list.Cell(row, kColX));
        AppendKeyField(out, list.Cell(row, kColY));
    }
    if (key.z) {
        AppendKeyField(out, list.Cell(row, kColZ));
    }
    return out;
}

std::string RowKey(const XyzList& list, int row, const DuplicateKey& key) {
    std::string out;
    if (key.name) {
        AppendKeyField(out, list.Cell(row, kColName));
    }
    return out + RestKey(list, row, key);
}

} // namespace vemo
