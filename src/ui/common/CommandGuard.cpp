#include "ui/common/CommandGuard.h"

#include "core/store/UndoHistory.h"
#include "core/text/Error.h"
#include "core/text/MessagesMain.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"

#include <QThread>

#include <optional>
#include <vector>

namespace vemo {
namespace {

// Shown for something thrown that is not a std::exception (it carries no text of its own).
QString UnknownErrorText() {
    return FromCp932(msg::UnexpectedError());
}

UndoHistory* commandHistory = nullptr;
// Event loop level of each open boundary step, outermost first.
std::vector<int> openStepLoopLevels;

// One event delivery or one command as an undo step.  Deliveries inside a delivery belong to its step;
// a delivery from the event loop of a modal window that a command opened starts steps of its own (the
// command's step is set aside meanwhile), so each command given in that window is undone by itself.
// Leaving by an exception takes back what the step had changed.
class BoundaryStep {
public:
    explicit BoundaryStep(const QString& name) : history_(commandHistory) {
        if (history_ == nullptr) {
            return;
        }
        const int loopLevel = QThread::currentThread()->loopLevel();
        suspends_ = !openStepLoopLevels.empty() && loopLevel > openStepLoopLevels.back();
        if (suspends_) {
            history_->SuspendStep();
        }
        openStepLoopLevels.push_back(loopLevel);
        scope_.emplace(*history_, ToCp932(name).value_or(std::string()));
    }
    ~BoundaryStep() {
        if (history_ == nullptr || history_ != commandHistory) {
            return; // the history went away during the step
        }
        scope_.reset();
        openStepLoopLevels.pop_back();
        if (suspends_) {
            history_->ResumeStep();
        }
    }
    BoundaryStep(const BoundaryStep&) = delete;
    BoundaryStep& operator=(const BoundaryStep&) = delete;

private:
    UndoHistory* history_;
    bool suspends_ = false;
    std::optional<UndoScope> scope_;
};

bool Guarded(const std::function<bool()>& deliver, bool failed, QWidget* parent, const QString& stepName = {}) {
    try {
        const BoundaryStep step(stepName);
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
    // The technical text is in the locale's encoding, not CP932: it goes in after the conversion.
    return FromCp932(msg::InternalError("%1")).arg(QString::fromLocal8Bit(error.what()));
}

void ShowException(const std::exception& error, QWidget* parent) {
    MessageBox::Show(parent, ExceptionText(error), MessageBox::Kind::Error);
}

void SetCommandHistory(UndoHistory* history) {
    commandHistory = history;
    openStepLoopLevels.clear();
}

UndoHistory* CommandHistory() {
    return commandHistory;
}

bool RunCommand(const std::function<void()>& command, QWidget* parent, const QString& stepName) {
    return Guarded(
        [&command] {
            command();
            return true;
        },
        false, parent, stepName);
}

bool GuardDelivery(const std::function<bool()>& deliver, bool failed) {
    return Guarded(deliver, failed, nullptr);
}

} // namespace vemo
