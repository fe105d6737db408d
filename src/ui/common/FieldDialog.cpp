#include "ui/common/FieldDialog.h"

#include <QKeyEvent>
#include <QPushButton>

namespace vemo {

void FieldDialog::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            focusNextChild();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vemo
