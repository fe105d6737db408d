#include "ui/common/FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace vemo {
namespace {

class FocusReturn : public QObject {
public:
    explicit FocusReturn(QObject* owner) : QObject(owner) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Hide && type != QEvent::WindowActivate) || !watched->isWidgetType()) {
            return false;
        }
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog == nullptr || !dialog->isWindow() || dialog->parentWidget() == nullptr) {
            return false;
        }
        QWidget* owner = dialog->parentWidget()->window();
        if (owner == nullptr || !owner->isVisible()) {
            return false;
        }
        // Closing: the window it came from takes over unless another one was made active meanwhile.
        // An activation that arrives for a dialog already closed (the platform answering its showing
        // late) goes to that window too.
        const bool closing =
            type == QEvent::Hide && (QApplication::activeWindow() == nullptr || QApplication::activeWindow() == dialog);
        const bool lateActivation = type == QEvent::WindowActivate && !dialog->isVisible();
        if (closing || lateActivation) {
            owner->activateWindow();
            QApplication::setActiveWindow(owner); // at once: the next key may come before the platform says so
        }
        return false;
    }
};

} // namespace

void InstallFocusReturn(QObject* owner) {
    new FocusReturn(owner);
}

} // namespace vemo
