#pragma once

#include "ui/traverse/TrvsWindow.h"

#include <QKeySequence>

namespace vemo {

// One command of the traverse window: where it stands in its mode's menus and on its tool bar, its
// key, what it runs and when it may run.  The window builds its menus, tool bars, shortcuts and
// enabling from these rows alone (TrvsWindow::CommandTable, TrvsCommandTable.cpp).
struct TrvsCommandRow {
    enum class Tick { None, Off, On }; // a command that is ticked on and off, and how it starts

    TrvsWindow::Command command;
    TrvsWindow::Mode mode; // whose menu bar and tool bar show it; it is off while the other is shown
    const char* menu;      // the caption of the menu it stands in (UTF-8)
    const char* caption;
    QKeySequence key = {}; // none: reached through the menu or its button only
    void (*run)(TrvsWindow& window);
    // When it may run while its mode is shown; nullptr: always.
    bool (*enabled)(const TrvsWindow& window) = nullptr;
    // It replaces the content shown: unsaved content is asked about first (保存 / 保存しない / キャンセル).
    bool dropsContent = false;
    bool separatorBefore = false;
    Tick tick = Tick::None;
    const char* button = nullptr; // the caption of its tool button, if it has one
    int buttonPlace = 0;          // the button's place on the tool bar, from the left
    const char* toolTip = nullptr;
    const char* statusTip = nullptr;
    // What it changes in the coordinate list is undone as one step of this name (元に戻す「…」).
    const char* stepName = nullptr;
};

} // namespace vemo
