#include "ui/common/CommandGuard.h"

#include "core/text/Error.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"

namespace vemo {
namespace {

// Shown for something thrown that is not a std::exception (it carries no text of its own).
QString UnknownErrorText() {
    return QStringLiteral("予期しないエラーが発生しました");
}

bool Guarded(const std::function<bool()>& deliver, bool failed, QWidget* parent) {
    try {
        return deliver();
    } catch (const std::exception& error) {
        ShowException(error, parent);
    } catch (...) {
        MessageBox::Show(parent, UnknownErrorText(), MessageBox::Kind::Error);
    }
    return failed;
}

} // namespace

QString ExceptionText(const std::exception& error) {
    if (dynamic_cast<const Error*>(&error) != nullptr) {
        return FromCp932(error.what());
    }
    // Anything but the program's own error is a fault of the program, not of the surveyor's input: it is
    // named as such, with the technical text for the report.
    return QStringLiteral("内部エラーが発生しました（%1）").arg(QString::fromLocal8Bit(error.what()));
}

void ShowException(const std::exception& error, QWidget* parent) {
    MessageBox::Show(parent, ExceptionText(error), MessageBox::Kind::Error);
}

bool RunCommand(const std::function<void()>& command, QWidget* parent) {
    return Guarded(
        [&command] {
            command();
            return true;
        },
        false, parent);
}

bool GuardDelivery(const std::function<bool()>& deliver, bool failed) {
    return Guarded(deliver, failed, nullptr);
}

} // namespace vemo
