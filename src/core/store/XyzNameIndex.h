#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzList;

// Where a point was found: its list row and its X (north) and Y (east) rounded to 0.001 m, half away
// from zero (-0.0005 -> -0.001, 12.3454 -> 12.345).
struct PointXY {
    int row = 0;
    double x = 0;
    double y = 0;
};

// Smallest and largest X and Y over the indexed rows (and the X, Y cells of row 1, empty reading as 0).
struct XyzExtents {
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
};

// A snapshot of the complete rows of the list, sorted by name in byte order (equal names keep list
// order), for every lookup of coordinates by point name.  It is not kept up to date while the list is
// edited: between rebuilds a lookup sees the list as it was at the last RebuildNameIndex.
class XyzNameIndex {
public:
    // RebuildNameIndex.  A complete row whose X or Y is not a number stops the rebuild with the
    // conversion message (vemo::Error) and leaves the previous index as it was.
    void Rebuild(const XyzList& list);
    // FindPointXY: exact, byte-wise, case-sensitive lookup; among equal names the first in list order.
    std::optional<PointXY> Find(std::string_view name) const;

    // IndexCount and the sorted entries (0-based here; the end marker "EoP" is not stored).
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& NameAt(int entry) const { return names_[entry]; }
    int RowAt(int entry) const { return rows_[entry]; }
    const XyzExtents& Extents() const { return extents_; }
    // RowX / RowY of a list row as read at the last rebuild (0 for rows that were not complete).
    double RowX(int row) const;
    double RowY(int row) const;
    void Clear();

private:
    std::vector<std::string> names_;
    std::vector<int> rows_;
    std::vector<double> rowX_;
    std::vector<double> rowY_;
    XyzExtents extents_;
};

// Rounds to 0.001 half away from zero, as every coordinate coming out of the index is.
double RoundToMillimetre(double value);

} // namespace vemo
