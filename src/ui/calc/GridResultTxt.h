#pragma once

#include "core/calc/GridText.h"

#include <functional>
#include <vector>

class QTableWidget;
class QWidget;

namespace vemo {

struct CalcHost;

// A calculation grid as the output lines take it: row 0 the headings, then every row's first five
// cells as shown (empty where the grid has fewer columns).
std::vector<GridRowText> GridCellsText(const QTableWidget& grid);

// Writes `rows` to the host's Result.Txt (replacing it, or appended without the heading); a failure is
// shown by `parent` as every command shows it.
void WriteGridResultTxt(QWidget* parent, const CalcHost& host, const std::vector<GridRowText>& rows, bool append);

// "Result.Tｘｔへ新規出力" and "Result.Tｘｔへ追加出力" at the end of the grid's context menu, writing
// the rows `rows` gives at that moment.
void AddResultTxtActions(QTableWidget& grid, const CalcHost& host,
                         const std::function<std::vector<GridRowText>()>& rows);

} // namespace vemo
