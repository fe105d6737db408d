#include "ui/calc/GridResultTxt.h"

#include "ui/calc/CalcPage.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"

#include <QAction>
#include <QTableWidget>

namespace vemo {

std::vector<GridRowText> GridCellsText(const QTableWidget& grid) {
    const auto text = [](const QTableWidgetItem* item) {
        return item ? ToCp932(item->text()).value_or(std::string()) : std::string();
    };
    std::vector<GridRowText> rows(grid.rowCount() + 1);
    const int columns = std::min(grid.columnCount(), static_cast<int>(GridRowText().size()));
    for (int column = 0; column < columns; ++column) {
        rows[0][column] = text(grid.horizontalHeaderItem(column));
        for (int row = 0; row < grid.rowCount(); ++row) {
            rows[row + 1][column] = text(grid.item(row, column));
        }
    }
    return rows;
}

void WriteGridResultTxt(QWidget* parent, const CalcHost& host, const std::vector<GridRowText>& rows, bool append) {
    RunCommand(
        [&] {
            const std::string path = host.resultTxtPath ? host.resultTxtPath() : std::string("Result.Txt");
            WriteResultTxt(path, GridCopyLines(rows), append);
        },
        parent);
}

void AddResultTxtActions(QTableWidget& grid, const CalcHost& host,
                         const std::function<std::vector<GridRowText>()>& rows) {
    grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const bool append : {false, true}) {
        auto* action = new QAction(
            append ? QStringLiteral("Result.Tｘｔへ追加出力") : QStringLiteral("Result.Tｘｔへ新規出力"), &grid);
        QObject::connect(action, &QAction::triggered, &grid,
                         [&grid, &host, rows, append] { WriteGridResultTxt(&grid, host, rows(), append); });
        grid.addAction(action);
    }
}

} // namespace vemo
