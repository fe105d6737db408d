#include "core/store/XyzNameIndex.h"

#include "core/store/XyzList.h"
#include "core/text/Bytes.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vemo {

namespace {

// A cell of row 1 read for the first extents, whether or not the row is complete.  It is read as if a
// "0" were appended, so that an empty cell or a half-typed "-" or "12." counts as a number and a list
// that starts with an empty row still spans the origin; a cell that is a number as it stands keeps its
// own value ("12" is 12, not 120).
double SeedValue(const std::string& cell) {
    const std::string text = Trim(cell);
    if (const auto value = TryStrToFloat(text)) {
        return *value;
    }
    if (const auto value = TryStrToFloat(text + "0")) {
        return *value;
    }
    return StrToFloat(text); // throws the conversion message for the cell as the user sees it
}

// The first eight bytes of the name as a big-endian number: comparing two of these is comparing the
// names' first bytes in unsigned byte order, without touching the strings scattered over the list.
std::uint64_t NamePrefix(std::string_view name) {
    std::uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i) {
        prefix = (prefix << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
    }
    return prefix;
}

struct Entry {
    std::uint64_t prefix;
    std::string_view name;
    int row;
};

// Byte order: std::string_view compares through char_traits<char>, which compares as unsigned char, so
// double-byte names (lead bytes 0x81 and up) sort after ASCII.
bool NameBefore(const Entry& a, const Entry& b) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    return a.name < b.name;
}

} // namespace

double RoundToMillimetre(double value) {
    // Half away from zero on the millimetre.  Dividing by 1000 (rather than multiplying by 0.001) gives
    // the double nearest to the decimal millimetre value, the same number that reading "12.345" gives.
    if (value >= 0) {
        return std::floor(value * 1000 + 0.5) / 1000;
    }
    return -(std::floor(value * -1000 + 0.5) / 1000) + 0.0; // + 0.0: no negative zero
}

void XyzNameIndex::Rebuild(const XyzList& list) {
    // Built aside and swapped in at the end, so a cell that fails to convert leaves the old index.
    XyzExtents extents;
    extents.minX = extents.maxX = SeedValue(list.Cell(1, kColX));
    extents.minY = extents.maxY = SeedValue(list.Cell(1, kColY));

    const int rowCount = list.RowCount();
    std::vector<double> rowX(static_cast<size_t>(rowCount), 0.0);
    std::vector<double> rowY(static_cast<size_t>(rowCount), 0.0);
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(rowCount));
    for (int row = 1; row < rowCount; ++row) {
        if (!list.IsComplete(row)) {
            continue;
        }
        const double x = StrToFloat(list.Cell(row, kColX));
        const double y = StrToFloat(list.Cell(row, kColY));
        rowX[row] = x;
        rowY[row] = y;
        extents.minX = std::min(extents.minX, x);
        extents.maxX = std::max(extents.maxX, x);
        extents.minY = std::min(extents.minY, y);
        extents.maxY = std::max(extents.maxY, y);
        const std::string& name = list.Cell(row, kColName);
        entries.push_back({NamePrefix(name), name, row});
    }

    // Stable, so equal names keep list order and a lookup returns the first of them.
    std::stable_sort(entries.begin(), entries.end(), NameBefore);

    std::vector<std::string> names;
    std::vector<int> rows;
    names.reserve(entries.size());
    rows.reserve(entries.size());
    for (const Entry& entry : entries) {
        names.emplace_back(entry.name);
        rows.push_back(entry.row);
    }
    names_ = std::move(names);
    rows_ = std::move(rows);
    rowX_ = std::move(rowX);
    rowY_ = std::move(rowY);
    extents_ = extents;
}

std::optional<PointXY> XyzNameIndex::Find(std::string_view name) const {
    const auto it = std::lower_bound(names_.begin(), names_.end(), name,
                                     [](const std::string& entry, std::string_view wanted) { return entry < wanted; });
    if (it == names_.end() || *it != name) {
        return std::nullopt;
    }
    const int row = rows_[static_cast<size_t>(it - names_.begin())];
    return PointXY{row, RoundToMillimetre(rowX_[row]), RoundToMillimetre(rowY_[row])};
}

double XyzNameIndex::RowX(int row) const {
    return row >= 0 && row < static_cast<int>(rowX_.size()) ? rowX_[row] : 0.0;
}

double XyzNameIndex::RowY(int row) const {
    return row >= 0 && row < static_cast<int>(rowY_.size()) ? rowY_[row] : 0.0;
}

void XyzNameIndex::Clear() {
    names_.clear();
    rows_.clear();
    rowX_.clear();
    rowY_.clear();
    extents_ = XyzExtents{};
}

} // namespace vemo
