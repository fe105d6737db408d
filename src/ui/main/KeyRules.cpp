#include "ui/main/KeyRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vemo {
namespace {

// Enter as the plain key: Ctrl+Enter and Alt+Enter are commands of their own (the parcel editor
// registers with Ctrl+Enter).
bool IsPlainEnter(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

bool IsPlainEscape(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    return key->key() == Qt::Key_Escape && mods == Qt::NoModifier;
}

bool IsLowerAsciiLetter(const QString& text) {
    return text.size() == 1 && text[0] >= QLatin1Char('a') && text[0] <= QLatin1Char('z');
}

} // namespace

KeyRules::KeyRules(QWidget* window, std::function<void(bool)> moveFocus)
    : QObject(window), window_(window), moveFocus_(std::move(moveFocus)) {
    qApp->installEventFilter(this);
}

KeyRules::~KeyRules() {
    qApp->removeEventFilter(this);
}

void KeyRules::setEnterHandler(QWidget* control, std::function<void()> handler) {
    enterHandlers_.push_back({control, std::move(handler)});
}

void KeyRules::setEscapeHandler(QWidget* control, std::function<void()> handler) {
    escapeHandlers_.push_back({control, std::move(handler)});
}

bool KeyRules::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    auto* target = static_cast<QWidget*>(watched);
    // A key not taken by a control propagates to its parents; the rules act once, on the control that
    // has the focus, and only inside this window (not in its menus, dialogs or pop-ups).
    if (target != QApplication::focusWidget() || target->window() != window_) {
        return false;
    }
    return handleKey(target, static_cast<QKeyEvent*>(event));
}

bool KeyRules::handleKey(QWidget* target, QKeyEvent* key) {
    if (IsPlainEnter(key) || IsPlainEscape(key)) {
        for (const QPointer<QWidget>& area : ownEnterEscape_) {
            if (area != nullptr && (area == target || area->isAncestorOf(target))) {
                return false;
            }
        }
    }
    if (IsPlainEnter(key)) {
        return handleEnter(target);
    }
    if (IsPlainEscape(key)) {
        return handleEscape(target);
    }
    if (upperChr_ && IsLowerAsciiLetter(key->text()) &&
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
        return upperCase(target, key);
    }
    return false;
}

bool KeyRules::handleEnter(QWidget* target) {
    if (enterGoesDown_ && enterGoesDown_()) {
        return false;
    }
    if (const Handler* handler = findHandler(enterHandlers_, target)) {
        handler->run();
        return true;
    }
    moveFocus_(true);
    return true;
}

bool KeyRules::handleEscape(QWidget* target) {
    if (const Handler* handler = findHandler(escapeHandlers_, target)) {
        handler->run();
    }
    moveFocus_(false);
    return true;
}

// The control gets the same key with upper-case text; the original is swallowed.
bool KeyRules::upperCase(QWidget* target, QKeyEvent* key) {
    QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), key->text().toUpper(), key->isAutoRepeat(),
                    static_cast<ushort>(key->count()));
    QApplication::sendEvent(target, &upper);
    return true;
}

const KeyRules::Handler* KeyRules::findHandler(const std::vector<Handler>& handlers, QWidget* target) {
    for (const Handler& handler : handlers) {
        if (handler.control != nullptr && (handler.control == target || handler.control->isAncestorOf(target))) {
            return &handler;
        }
    }
    return nullptr;
}

} // namespace vemo
