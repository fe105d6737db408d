#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vemo {

class FileCommandHost;

// A write that runs without a command (the auto-save, the link files when the application is left):
// a failure stays in the status bar, said again at every failed write so that no other status text
// hides it, until the same write succeeds again and clears it.  With `boxOnFirstFailure` the first
// failure of a run of them is also shown in a message box: a surveyor who does not look down must not type on
// unprotected.  Never a box at every write.
class BackgroundWriteStatus {
public:
    explicit BackgroundWriteStatus(FileCommandHost& host, bool boxOnFirstFailure = false, QWidget* boxParent = nullptr)
        : host_(host), boxOnFirstFailure_(boxOnFirstFailure), boxParent_(boxParent) {}

    // Runs `write`; true when it did not throw.  `prefix` comes before the failure's message.
    bool run(const QString& prefix, const std::function<void()>& write);
    // The outcome of a write run elsewhere: an empty `error` is success.
    void report(const QString& prefix, const QString& error);

private:
    FileCommandHost& host_;
    bool boxOnFirstFailure_ = false;
    QWidget* boxParent_ = nullptr;
    bool failing_ = false;
};

} // namespace vemo
