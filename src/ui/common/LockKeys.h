#pragma once

#include <QObject>

namespace vemo {

// The Caps Lock and Num Lock state for the status bar.  On X11 the server's keyboard state is asked
// (it knows locks switched before the program started or in other programs); elsewhere (Wayland, the
// offscreen platform of the tests) the lock keys pressed while the program runs are followed, starting
// from off.
class LockKeys : public QObject {
    Q_OBJECT
public:
    explicit LockKeys(QObject* parent = nullptr);
    ~LockKeys() override;

    bool capsLock() const;
    bool numLock() const;
    // True when the state comes from the window system rather than from following the keys.
    bool fromWindowSystem() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool trackedCaps_ = false;
    bool trackedNum_ = false;
};

} // namespace vemo
