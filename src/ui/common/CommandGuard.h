#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace vemo {

class UndoHistory;

// A command that cannot go on throws (vemo::Error with its Japanese message, or any std::exception).
// The program never ends because of it: the text is shown in a message box and the surveyor carries
// on with the data as the command left it.

// The text shown for an exception: a vemo::Error's CP932 message decoded, otherwise an internal error
// with what() in brackets.
QString ExceptionText(const std::exception& error);

// Shows the exception's text in a message box.
void ShowException(const std::exception& error, QWidget* parent = nullptr);

// Runs one command; an exception escaping it is shown.  Returns false when that happened.
// What the command changes is one undo step named `stepName` (the first name given wins when commands
// nest); a command that fails takes back what it had changed before the message is shown.
bool RunCommand(const std::function<void()>& command, QWidget* parent = nullptr, const QString& stepName = {});

// The same for an event delivery that yields a result: the result, or `failed` after showing the
// exception.  The application's event dispatch uses it, so every event handler is covered too.
// Each delivery is an undo step as well, so a change made by any event handler can be undone.
bool GuardDelivery(const std::function<bool()>& deliver, bool failed = false);

// The history the boundary makes its steps in: the workspace's, while one exists (nullptr: none).
void SetCommandHistory(UndoHistory* history);
UndoHistory* CommandHistory();

} // namespace vemo
