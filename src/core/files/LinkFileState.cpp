#include "core/files/LinkFileState.h"

#include "core/files/FileIo.h"
#include "core/io/Utf8Text.h"
#include "core/text/Bytes.h"

#include <functional>

namespace vemo {
namespace fs = std::filesystem;

void LinkFileState::Write(const fs::path& path, std::string_view bytes) {
    written_ = false;
    WriteFileAtomic(path, bytes, false);
    std::error_code ec;
    size_ = fs::file_size(path, ec);
    time_ = fs::last_write_time(path, ec);
    hash_ = std::hash<std::string_view>{}(bytes);
    written_ = !ec;
}

std::optional<std::string> LinkFileState::ChangedBytes(const fs::path& path, bool& missing) const {
    missing = false;
    std::error_code sizeEc;
    std::error_code timeEc;
    const std::uintmax_t size = fs::file_size(path, sizeEc);
    const fs::file_time_type time = fs::last_write_time(path, timeEc);
    if (!sizeEc && !timeEc && size == size_ && time == time_) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        missing = true;
        return std::nullopt;
    }
    if (std::hash<std::string_view>{}(*bytes) == hash_ && bytes->size() == size_) {
        return std::nullopt;
    }
    // An editor that saved the list as UTF-8 would otherwise bring back 点種 and 備考 as mojibake.
    RefuseUtf8Text(path, *bytes);
    return bytes;
}

std::vector<int> RowsBeingTyped(const XyzList& list) {
    std::vector<int> rows;
    for (int row = 1; row < list.RowCount(); ++row) {
        // The same rule as the coordinate file's: a row with both cells filled is written.
        if (!list.Cell(row, kColX).empty() && !list.Cell(row, kColY).empty()) {
            continue;
        }
        for (int col = kColName; col < kXyzColumnCount; ++col) {
            if (!TrimView(list.Cell(row, col)).empty()) {
                rows.push_back(row);
                break;
            }
        }
    }
    return rows;
}

} // namespace vemo
