#pragma once

#include <QString>

namespace vemo {

// Hands a registered external program (or a document) to the desktop without waiting for it: an
// executable file is started on its own, anything else is opened with the application the desktop
// associates with it; a command line with arguments is started as written.  Returns false when
// nothing could be started (the caller says so).
bool LaunchDetached(const QString& commandText);

} // namespace vemo
