#include "ui/calc/CalcTabs.h"

#include "core/calc/Calculation.h"
#include "ui/calc/DivisionPage.h"
#include "ui/calc/FormPage.h"
#include "ui/calc/PointGridPage.h"
#include "ui/calc/TransformPage.h"

#include <vector>

namespace vemo {
namespace {

template <PointGridPage::Kind kKind> CalcPage* PointGrid(const CalcTabInfo& tab, CalcHost& host) {
    return new PointGridPage(kKind, *tab.definition, host);
}

template <class PageType> CalcPage* Page(const CalcTabInfo& tab, CalcHost& host) {
    return new PageType(*tab.definition, host);
}

using Grid = PointGridPage::Kind;

// What only the window has, by calculation id.  A calculation without a row here gets a tab made from
// its inputs with 計算 and a listing.
struct TabExtras {
    const char* id = "";
    const char* shortcut = "";
    bool separatorBefore = false;
    CalcPage* (*createPage)(const CalcTabInfo& tab, CalcHost& host) = nullptr;
    FormStyle form;
    bool takesListRows = false;
    std::optional<PlotDirection> openingDrag;
};

// The constructions register their points under the remark of the kind of point they make.
constexpr FormStyle Construction(bool two, const char* remark, const char* kept, bool secondTicked = false) {
    return {.resultPanel = true, .twoSolutions = two, .secondTicked = secondTicked, .remark = remark, .kept = kept};
}

// clang-format off
const TabExtras kExtras[] = {
    {"inverse", "F11", false, PointGrid<Grid::Inverse>, {}, true, PlotDirection::Left},
    {"perpendicular", "F10", false, PointGrid<Grid::Perpendicular>, {}, true, PlotDirection::Right},
    // After 登録 the line or point the next construction starts from stays.
    {"line-line", "", true, nullptr, Construction(false, "交点", "line1"), false, {}},
    {"line-circle", "", false, nullptr, Construction(true, "交点", "line1"), false, {}},
    {"circle-circle", "", false, nullptr, Construction(true, "交点", ""), false, {}},
    {"offset", "", false, nullptr, Construction(false, "OffSet", "line1,base"), false, {}},
    {"foot", "", false, nullptr, Construction(false, "垂線", "line1"), false, {}},
    {"corner-cut", "", false, nullptr, Construction(true, "隅切", "", true), false, {}},
    {"parallel-shift", "", false, nullptr, Construction(false, "平移", ""), false, {}},
    {"transform", "", true, Page<TransformPage>, {}, false, {}},
    {"divide", "", false, Page<DivisionPage>, {}, true, {}},
};
// clang-format on

std::vector<CalcTabInfo> MakeTabs() {
    std::vector<CalcTabInfo> tabs;
    for (const CalcDefinition* definition : Calculations()) {
        CalcTabInfo tab;
        tab.definition = definition;
        // The registry's texts are literals, so they end in a NUL as the menu table wants them.
        tab.command = definition->caption.data();
        tab.button = definition->label.empty() ? tab.command : definition->label.data();
        tab.helpContext = definition->helpContext;
        for (const TabExtras& extras : kExtras) {
            if (definition->id == extras.id) {
                tab.shortcut = extras.shortcut;
                tab.separatorBefore = extras.separatorBefore;
                tab.createPage = extras.createPage;
                tab.form = extras.form;
                tab.takesListRows = extras.takesListRows;
                tab.openingDrag = extras.openingDrag;
            }
        }
        tab.registersOnUpwardDrag = tab.form.resultPanel;
        tabs.push_back(tab);
    }
    return tabs;
}

} // namespace

std::span<const CalcTabInfo> CalcTabs() {
    static const std::vector<CalcTabInfo> tabs = MakeTabs();
    return tabs;
}

CalcPage* CreateCalcPage(const CalcTabInfo& tab, CalcHost& host) {
    if (tab.createPage) {
        return tab.createPage(tab, host);
    }
    return new FormPage(*tab.definition, host, tab.form);
}

} // namespace vemo
