#pragma once

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <functional>

namespace vemo::test {

// Runs `action` on the next widget of type T once it has been shown and the event loop that shows it
// runs (a modal dialog's exec): the action is queued at the widget's Show event, not started by a timer,
// so a loaded machine can neither make it come too early nor too late.
template <class T> void WhenShown(std::function<void(T*)> action) {
    class Watcher : public QObject {
    public:
        explicit Watcher(std::function<void(T*)> act) : action_(std::move(act)) { qApp->installEventFilter(this); }
        bool eventFilter(QObject* object, QEvent* event) override {
            T* widget = event->type() == QEvent::Show ? qobject_cast<T*>(object) : nullptr;
            if (widget != nullptr && widget->isWindow()) {
                qApp->removeEventFilter(this);
                QMetaObject::invokeMethod(
                    widget, [widget, action = std::move(action_)] { action(widget); }, Qt::QueuedConnection);
                deleteLater();
            }
            return false;
        }

    private:
        std::function<void(T*)> action_;
    };
    new Watcher(std::move(action));
}

} // namespace vemo::test
