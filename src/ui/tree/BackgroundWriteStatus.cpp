#include "ui/tree/BackgroundWriteStatus.h"

#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/tree/FileCommandHost.h"

#include <exception>

namespace vemo {

bool BackgroundWriteStatus::run(const QString& prefix, const std::function<void()>& write) {
    QString error;
    try {
        write();
    } catch (const std::exception& failure) {
        error = FromCp932(failure.what());
    }
    report(prefix, error);
    return error.isEmpty();
}

void BackgroundWriteStatus::report(const QString& prefix, const QString& error) {
    if (!error.isEmpty()) {
        host_.setStatusText(prefix + error);
        if (!failing_ && boxOnFirstFailure_) {
            MessageBox::Show(boxParent_, prefix + error, MessageBox::Kind::Warning);
        }
        failing_ = true;
        return;
    }
    if (failing_) {
        host_.setStatusText(QString());
    }
    failing_ = false;
}

} // namespace vemo
