#pragma once

#include "core/settings/Settings.h"

namespace vemo {

// The three ready-made looks of the plot (Ctrl+F1, Ctrl+F2, Ctrl+F3 in the settings dialog): dark
// blue, white and grey backgrounds with colours that stay readable on them.  `preset` is 0, 1 or 2;
// every other number leaves the look as it is.  The twelve colours and the sizes are replaced; the
// initials and the two switches are kept.
void ApplyLookPreset(Settings::XyzImageKeys& look, int preset);

// The dialog's OK: what the dialog edits replaces those values of `target`; the window state and
// the association flags (written by their own boxes at once) stay.
void TakeDialogValues(Settings& target, const Settings& dialog);

} // namespace vemo
