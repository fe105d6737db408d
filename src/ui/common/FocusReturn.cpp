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
        if (event->type() != QEvent::Hide || !watched->isWidgetType()) {
            return false;
        }
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog == nullptr || !dialog->isWindow() || dialog->parentWidget() == nullptr) {
            return false;
        }
        QWidget* owner = dialog->parentWidget()->window();
        QWidget* active = QApplication::activeWindow();
        // The window it came from takes over, unless another one was made active meanwhile.
        if (owner != nullptr && owner->isVisible() && (active == nullptr || active == dialog)) {
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
