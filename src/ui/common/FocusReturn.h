#pragma once

class QObject;

namespace vemo {

// When a dialog or message box of the program closes, the window it was opened from is active again
// and its focused field takes the next key.  A window manager usually does this; without one (and at
// times with one) nobody does, the closed dialog stays the active window, and the first key or
// shortcut typed after OK went nowhere.  Installed once on the application, owned by `owner`.
void InstallFocusReturn(QObject* owner);

} // namespace vemo
