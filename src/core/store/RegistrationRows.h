#pragma once

#include <string>

namespace vemo {

class XyzList;

// The last point row whose X or Y holds something other than an empty text or "0.000"; 0 when none.
// The next point name is proposed from the name in that row.
int LastCoordinateRow(const XyzList& list);

// Computed points (traverse stations, calculation results, division points, transformed points) are
// registered after the last row that holds anything a surveyor typed, so trailing empty entry rows and
// unnamed rows left at "0.000" are filled instead of piling new rows below them.  0 when none.
int RegistrationAnchorRow(const XyzList& list);

// Writes registered points into consecutive rows from `firstRow` on: a row that is there gets its name,
// X, Y, Z and remark overwritten and keeps its number and point type; beyond the last row a row is
// appended.
class RegistrationRows {
public:
    RegistrationRows(XyzList& list, int firstRow) : list_(list), row_(firstRow) {}

    // X, Y and Z are texts as they are to stand in the list ("0.000" form).
    void Write(const std::string& name, const std::string& x, const std::string& y, const std::string& z,
               const std::string& remark);
    // The row the next Write fills.
    int NextRow() const { return row_; }

private:
    XyzList& list_;
    int row_;
};

} // namespace vemo
