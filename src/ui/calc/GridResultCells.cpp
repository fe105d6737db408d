#include "ui/calc/GridResultCells.h"

#include "ui/common/Cp932Text.h"

#include <QTableWidget>

namespace vemo {

void ShowGridResultCells(QTableWidget& grid, const PointGridResult& result) {
    for (int row = 0; row < grid.rowCount(); ++row) {
        const GridRowCells cells = row < static_cast<int>(result.rows.size()) ? result.rows[row] : GridRowCells{};
        int column = 2;
        for (const std::string* text : {&cells.distance, &cells.direction, &cells.angle}) {
            QTableWidgetItem* item = grid.item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                grid.setItem(row, column, item);
            }
            item->setText(FromCp932(*text));
            ++column;
        }
    }
}

} // namespace vemo
