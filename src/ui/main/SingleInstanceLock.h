#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace vemo {

// Only one copy of the program may work on the settings, the auto-save files and the link files at a
// time.  The lock "UniqueName" is a lock file in the temporary folder, one per user.  A lock left by a
// process that was killed is taken over (the file records the holder's process id).
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& name = QStringLiteral("UniqueName"));
    ~SingleInstanceLock();

    // False when another running process holds the lock.
    bool tryLock();
    void unlock();
    bool isLocked() const;

    QString path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> file_;
};

} // namespace vemo
