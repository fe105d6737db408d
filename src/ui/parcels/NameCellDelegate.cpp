#include "ui/parcels/NameCellDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace vemo {

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
