#include "ui/calc/GridRowActions.h"

#include "ui/grid/GridRowOps.h"

#include <QAction>
#include <QTableWidget>

namespace vemo {

void AddGridRowActions(QTableWidget& grid, const std::function<void()>& changed) {
    grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add = [&](const QString& text, const QKeySequence& keys, bool (*operation)(QAbstractItemView&, int)) {
        auto* action = new QAction(text, &grid);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(action, &QAction::triggered, &grid, [&grid, operation, changed] {
            operation(grid, 0);
            changed();
        });
        grid.addAction(action);
    };
    add(QStringLiteral("一行挿入"), QKeySequence(Qt::CTRL | Qt::Key_Insert), &GridInsertRow);
    add(QStringLiteral("一行削除"), QKeySequence(Qt::CTRL | Qt::Key_Delete), &GridDeleteRow);
}

} // namespace vemo
