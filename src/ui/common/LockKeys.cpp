#include "ui/common/LockKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <optional>

#ifdef VEMO_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/keysym.h>
// Xlib defines these as macros, which clash with Qt names used below.
#undef KeyPress
#undef None
#endif

namespace vemo {
namespace {

struct LockState {
    bool caps = false;
    bool num = false;
};

#ifdef VEMO_HAVE_X11
Display* X11Display() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->display() : nullptr;
}

// The locked modifiers of the core keyboard; Num Lock's modifier bit depends on the keymap, so it is
// looked up rather than assumed to be Mod2.
std::optional<LockState> QueryX11() {
    Display* display = X11Display();
    if (display == nullptr) {
        return std::nullopt;
    }
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    const unsigned numMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    return LockState{(state.locked_mods & LockMask) != 0, numMask != 0 && (state.locked_mods & numMask) != 0};
}
#else
std::optional<LockState> QueryX11() {
    return std::nullopt;
}
#endif

} // namespace

LockKeys::LockKeys(QObject* parent) : QObject(parent) {
    if (qGuiApp != nullptr) {
        qGuiApp->installEventFilter(this);
    }
}

LockKeys::~LockKeys() = default;

bool LockKeys::fromWindowSystem() const {
    return QueryX11().has_value();
}

bool LockKeys::capsLock() const {
    const auto state = QueryX11();
    return state ? state->caps : trackedCaps_;
}

bool LockKeys::numLock() const {
    const auto state = QueryX11();
    return state ? state->num : trackedNum_;
}

bool LockKeys::eventFilter(QObject* watched, QEvent* event) {
    // A key event reaches the filter once per widget it propagates through; only the first delivery
    // (to the focus widget, which is the one the window system addressed) counts.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == QGuiApplication::focusObject()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && key->key() == Qt::Key_CapsLock) {
            trackedCaps_ = !trackedCaps_;
        } else if (!key->isAutoRepeat() && key->key() == Qt::Key_NumLock) {
            trackedNum_ = !trackedNum_;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vemo
