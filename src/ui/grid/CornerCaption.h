#pragma once

#include <QString>

class QTableView;

namespace vemo {

// Writes a caption into the corner above a table's row numbers ("№" over the number column), drawn
// like the other column headers.
void SetCornerCaption(QTableView& table, const QString& caption);

} // namespace vemo
