#include "ui/calc/CalcCellDelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace vemo {

CalcCellDelegate::CalcCellDelegate(std::function<void(int, const QString&)> enter, QObject* parent)
    : QStyledItemDelegate(parent), enter_(std::move(enter)) {}

QWidget* CalcCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    editedRow_ = index.row();
    return QStyledItemDelegate::createEditor(parent, option, index);
}

bool CalcCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (!editor) {
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (upperCase_ && typed.size() == 1 && typed[0] >= QChar('a') && typed[0] <= QChar('z')) {
            editor->insert(typed.toUpper());
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QString text = editor->text();
            const int row = editedRow_;
            // The editor goes first (it is only deleted later): the grid's rules move the cursor and
            // rewrite rows.
            emit closeEditor(editor, NoHint);
            enter_(row, text);
            return true;
        }
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp ||
            key->key() == Qt::Key_PageDown) {
            emit closeEditor(editor, NoHint);
            return false;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        emit closeEditor(editor, NoHint); // no commit: the cell keeps its earlier text
        return false;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace vemo
