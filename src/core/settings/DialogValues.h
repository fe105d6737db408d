#pragma once

#include "core/settings/Settings.h"

namespace vemo {

// The three ready-made looks of the plot (Ctrl+F1, Ctrl+F2, Ctrl+F3 in the settings dialog): dark
// blue, white and grey backgrounds with colours that stay readable on them.  `preset` is 0, 1 or 2;
// every other number leaves the look as it is.  The twelve colours and the sizes are replaced; the
// initials and the two switches are kept.
void ApplyLookPreset(Settings::XyzImageKeys& look, int preset);

// What the settings dialog shows when it is created at start-up.  The folders, the switches, the
// interval, the link modes, the keyboard, calculation and list-width options always come from the
// settings read at start-up (every run starts with the calculation window tiled).  Everything else
// (labels, programs, the plot look, the serial line, the association flags, the traverse options)
// comes from the file only when it was written by this system (`writtenBySystem`); a first run shows
// the built-in first-run values instead, with `buttonFace` (the desktop's button colour) as the
// cross-hair colour.
Settings DialogInitialValues(const LoadedSettings& loaded, Color buttonFace);

// The dialog's OK: what the dialog edits replaces those values of `target`; the window state and
// the association flags (written by their own boxes at once) stay.
void TakeDialogValues(Settings& target, const Settings& dialog);

} // namespace vemo
