#include "ui/main/SingleInstanceLock.h"

#include <QDir>

#include <unistd.h>

namespace vemo {

SingleInstanceLock::SingleInstanceLock(const QString& name)
    : path_(QDir(QDir::tempPath()).filePath(QStringLiteral("vemo-%1-%2.lock").arg(name).arg(getuid()))),
      file_(std::make_unique<QLockFile>(path_)) {
    // Never taken over because of its age: only a dead holder frees it.
    file_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryLock() {
    return file_->tryLock(0);
}

void SingleInstanceLock::unlock() {
    file_->unlock();
}

bool SingleInstanceLock::isLocked() const {
    return file_->isLocked();
}

} // namespace vemo
