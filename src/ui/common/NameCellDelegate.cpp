#include "ui/common/NameCellDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

namespace vemo {

namespace {

constexpr const char* kConfirmedColumns = "vemoConfirmedColumns";

class GridEnterFilter : public QObject {
public:
    GridEnterFilter(QTableWidget* grid, int column, std::function<void(int, const QString&)> confirm)
        : QObject(grid), grid_(grid), column_(column), confirm_(std::move(confirm)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & Qt::ControlModifier) || grid_->currentRow() < 0) {
            return false;
        }
        // A grid with several confirmed columns: the one under the cursor answers, not the last one set up.
        const QVariantList confirmed = grid_->property(kConfirmedColumns).toList();
        if (grid_->currentColumn() != column_ && confirmed.contains(grid_->currentColumn())) {
            return false;
        }
        QTableWidgetItem* item = grid_->item(grid_->currentRow(), column_);
        confirm_(grid_->currentRow(), item ? item->text() : QString());
        return true;
    }

private:
    QTableWidget* grid_;
    int column_;
    std::function<void(int, const QString&)> confirm_;
};

} // namespace

void ConfirmNamesOnEnter(QTableWidget* grid, int column, std::function<void(int row, const QString& text)> confirm) {
    auto* delegate = new NameCellDelegate(grid);
    grid->setItemDelegateForColumn(column, delegate);
    grid->installEventFilter(new GridEnterFilter(grid, column, confirm));
    grid->setProperty(kConfirmedColumns, grid->property(kConfirmedColumns).toList() << column);
    QObject::connect(delegate, &NameCellDelegate::entered, grid,
                     [grid, confirm](const QString& text) { confirm(grid->currentRow(), text); });
    QObject::connect(delegate, &NameCellDelegate::rowKeyPressed, grid, [grid](int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(grid, &press);
    });
}

bool NameCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor == nullptr) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool plain = !(key->modifiers() & Qt::ControlModifier);
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            QString text = editor->text();
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            emit entered(text);
            return true;
        }
        switch (key->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            int pressed = key->key();
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            if (pressed != Qt::Key_Escape) {
                emit rowKeyPressed(pressed);
            }
            return true;
        }
        default:
            break;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace vemo
