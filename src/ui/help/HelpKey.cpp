#include "ui/help/HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vemo {

HelpKey::HelpKey(std::function<void(int)> show, int fallback, QObject* parent)
    : QObject(parent), show_(std::move(show)), fallback_(fallback) {
    qApp->installEventFilter(this);
}

HelpKey::~HelpKey() {
    qApp->removeEventFilter(this);
}

int HelpKey::ContextOf(const QWidget* widget, int fallback) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant context = w->property(kProperty);
        if (context.isValid()) {
            return context.toInt();
        }
    }
    return fallback;
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        widget = QApplication::focusWidget();
    }
    const int context = ContextOf(widget, fallback_);
    if (context >= 0) {
        show_(context);
    }
    return true;
}

} // namespace vemo
