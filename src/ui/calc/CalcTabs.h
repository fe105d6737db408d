#pragma once

#include "ui/calc/FormStyle.h"
#include "ui/plot/PlotHooks.h"

#include <optional>
#include <span>

namespace vemo {

class CalcPage;
struct CalcDefinition;
struct CalcHost;

// One tab of the calculation window, and everything the program does with it: the window makes its
// button and page, the main window its command in the 計算 menu (the n-th row is the n-th command of
// that menu's calculation block), and the installer its links to the list and the plot.  There is one
// tab per registered calculation (core/calc/Calculation.h), in the registry's order: its caption, button
// and F1 topic come from the definition, the rest is what only the window has.
struct CalcTabInfo {
    const CalcDefinition* definition = nullptr;
    const char* button = "";      // tab button text (UTF-8)
    const char* command = "";     // its 計算 menu command; the window caption when the page names none
    const char* shortcut = "";    // portable key text ("F11"), empty for none
    bool separatorBefore = false; // a separator above the command in the menu
    int helpContext = 0;          // F1 topic of the page
    // The page of the point grids, the transformation and the division; null for a page made from the
    // definition's inputs (FormPage) in the style `form`.
    CalcPage* (*createPage)(const CalcTabInfo& tab, CalcHost& host) = nullptr;
    FormStyle form;
    // Point names come from plot clicks while the window is shown; from rows of the coordinate list
    // only for tabs that take them.
    bool takesListRows = false;
    // The short drag over the plot that opens the tab (or clears it when it is shown already).
    std::optional<PlotDirection> openingDrag;
    // A short upward drag registers the page's results (CalcPage::registerResults).
    bool registersOnUpwardDrag = false;
};

// The tabs in the order of their buttons and of their commands.
std::span<const CalcTabInfo> CalcTabs();

// The page of a tab.
CalcPage* CreateCalcPage(const CalcTabInfo& tab, CalcHost& host);

// Positions of the tabs that code addresses by name.  A new tab needs none of these.
namespace CalcTab {
inline constexpr int kInverse = 0;
inline constexpr int kPerpendicular = 1;
inline constexpr int kLineLine = 2;
inline constexpr int kLineCircle = 3;
inline constexpr int kCircleCircle = 4;
inline constexpr int kOffset = 5;
inline constexpr int kFoot = 6;
inline constexpr int kCornerCut = 7;
inline constexpr int kParallelShift = 8;
inline constexpr int kTransform = 9;
inline constexpr int kDivision = 10;
} // namespace CalcTab

} // namespace vemo
