#pragma once

#include "core/store/BlockList.h"
#include "core/store/XyzList.h"

#include <string>
#include <vector>

namespace vemo {

class XyzNameIndex;

// Most rows a parcel's vertex list may take in the editor: every point of a full coordinate list, the
// closing repetition and the entry row.  A parcel file asking for more is refused (a damaged row count
// must not make the editor allocate billions of rows).
constexpr int kMaxParcelRows = kMaxPointRows + 2;

// The rules of the parcel editor's point-name column (one name a row, the last row normally the empty
// entry row), independent of any window.

// Whether the rows make a parcel that can be registered.
enum class RingCheck {
    Ok,
    NotFormed, // fewer than three rows, three with the last empty, row 0 empty or fewer than two ring
               // points: "画地が構成されていません"
    NotClosed, // neither the last row nor the one before it repeats row 0: "画地が閉じていません"
};
RingCheck CheckEditorRows(const std::vector<std::string>& rows);

// Label point of the editor rows: the mean over every row but the last (the closing repetition of the
// first point counts twice), each found through the index; a name the index lacks adds the coordinates
// of the row before it again, and names missing before the first known one add that first known point
// (as the area ring does), so a missing first name never drags the label towards (0, 0).
struct LabelPoint {
    double x = 0;
    double y = 0;
};
LabelPoint EditorLabelPoint(const std::vector<std::string>& rows, const XyzNameIndex& index);

// The parcel record of the editor: the name, the whole column as a CommaList (the empty entry row
// gives the trailing comma), the row count, the label point.
Block ParcelFromEditor(std::string name, const std::vector<std::string>& rows, const XyzNameIndex& index);

// The editor rows of a registered parcel: its vertex list laid over NoRowCount rows (never fewer rows
// than names, and always at least one).
std::vector<std::string> EditorRowsOf(const Block& block);

} // namespace vemo
