#pragma once

#include <QStringList>

namespace vemo {

// The process from lock to exit: take the single-instance lock (a second copy shows
// "Vemoは既に起動しています" and ends with 1), set the application title, create the windows in their
// start-up order, run the event loop until the main window closes, release the lock and end with 0.
class StartUp {
public:
    static int Run(const QStringList& arguments);

    static QString ApplicationTitleText() { return QStringLiteral("Vemo Point Desk"); }
    static QString HelpFile() { return QStringLiteral("Vemo.hlp"); }
};

} // namespace vemo
