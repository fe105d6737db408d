#pragma once

#include "ui/main/Command.h"

#include <span>

namespace vemo {

// How a command appears: its menu, caption with accelerator, shortcut and hint ("short|long").
struct CommandInfo {
    Cmd id;
    Menu menu;
    const char* caption;  // UTF-8
    const char* shortcut; // portable key text ("Ctrl+F8"), empty for none
    const char* hint;     // "short|long", empty for none
    bool separatorBefore = false;
    bool checkable = false;
    // Print, cut, copy and paste are offered but never enabled.
    bool alwaysDisabled = false;
    // Enabled before any data is open.  The coordinate list, plot and parcel editor toggles, the
    // selection and "新規画地" wait until coordinates are created or opened.
    bool enabledAtStart = true;
};

// Every command, in menu order.  The calculation tabs' commands come from their table (`CalcTabs()`).
std::span<const CommandInfo> CommandTable();
const CommandInfo& InfoOf(Cmd id);

// The 計算 command of the calculation tab at position `tab` of `CalcTabs()`: the ids after Cmd::Count
// are the tabs', so a new tab needs no id.
constexpr Cmd CalcTabCommand(int tab) {
    return static_cast<Cmd>(kCommandCount + tab);
}

// Every command id in use: the named ones and one per calculation tab.
int CommandIdCount();

// Menu titles with their accelerators: "ﾌｧｲﾙ(&F)" .. "ﾍﾙﾌﾟ(&H)".
const char* MenuTitle(Menu menu);

} // namespace vemo
