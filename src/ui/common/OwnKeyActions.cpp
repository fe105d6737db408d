#include "ui/common/OwnKeyActions.h"

#include <QAction>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace vemo {

namespace {

class OwnKeysFirst : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* control = qobject_cast<QWidget*>(watched);
        QAction* own = control ? ActionOnKey(*control, static_cast<QKeyEvent*>(event)->keyCombination()) : nullptr;
        if (own == nullptr) {
            return false;
        }
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            own->trigger();
        }
        return true;
    }

private:
    static QAction* ActionOnKey(const QWidget& control, QKeyCombination key) {
        for (QAction* action : control.actions()) {
            if (action->isEnabled() && action->shortcut() == QKeySequence(key)) {
                return action;
            }
        }
        return nullptr;
    }
};

} // namespace

QAction* AddOwnKeyAction(QWidget* owner, const QString& caption, const QKeySequence& keys) {
    auto* action = new QAction(caption, owner);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(action);
    constexpr const char* kClaimsOwnKeys = "vemoClaimsOwnKeys";
    if (!owner->property(kClaimsOwnKeys).toBool()) {
        owner->installEventFilter(new OwnKeysFirst(owner));
        owner->setProperty(kClaimsOwnKeys, true);
    }
    return action;
}

} // namespace vemo
