#pragma once

#include <QString>

namespace vemo {

// The application title: "Vemo Point Desk" at start, then the main window caption (UpdateCaption).
// Message boxes carry it as their title.  It is kept apart from Qt's display name, which the X11
// platform would append to the title of every window.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

} // namespace vemo
