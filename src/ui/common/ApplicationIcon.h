#pragma once

#include <QIcon>

namespace vemo {

// The program's icon, drawn here (the installed SVG needs an image plugin the desktop has but Qt may
// not): a survey point with its name tag on the plot's dark blue, the picture of the packaged icon.
QIcon ApplicationIcon();

} // namespace vemo
