#pragma once

#include <QString>

#include <functional>

namespace vemo {

class FileCommandHost;

// A write that runs without a command (the auto-save, the link files when the application is left):
// a failure is said in the status bar once, instead of a box at every write, until the same write
// succeeds again and clears it.
class BackgroundWriteStatus {
public:
    explicit BackgroundWriteStatus(FileCommandHost& host) : host_(host) {}

    // Runs `write`; true when it did not throw.  `prefix` comes before the failure's message.
    bool run(const QString& prefix, const std::function<void()>& write);
    // The outcome of a write run elsewhere: an empty `error` is success.
    void report(const QString& prefix, const QString& error);

private:
    FileCommandHost& host_;
    bool failing_ = false;
};

} // namespace vemo
