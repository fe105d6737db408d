#pragma once

class QAbstractItemView;

namespace vemo {

// The row commands "一行挿入" and "一行削除" of every editable grid (coordinate list, parcel editor,
// selection list, calculation and traverse windows), on whatever model the grid shows.
//
// `labelColumn` is a column that numbers the rows (-1 when the grid has none, or when the model
// numbers its rows itself as the coordinate list does): its texts stay where they are while the other
// columns move, and a new last row gets its number (row count as decimal text), so it reads 1, 2, 3, …
// Columns that are not editable are left alone as well.

// Inserts an empty row at the cursor row: the rows from the cursor row move down by one and the cursor
// stays on the empty row.  Returns false when the grid has no cursor.  The model may refuse (a full
// coordinate list throws vemo::Error).
bool GridInsertRow(QAbstractItemView& view, int labelColumn = -1);

// Deletes the cursor row: the rows below move up by one.  The last row is only emptied, so a grid never
// loses its entry row.  Returns false when the grid has no cursor.
bool GridDeleteRow(QAbstractItemView& view, int labelColumn = -1);

} // namespace vemo
