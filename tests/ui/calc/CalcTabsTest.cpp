// The calculation window has one tab per registered calculation, in the registry's order, and the tabs
// the surveyor knows are all there: the list below is written out by hand, so a calculation lost from
// the registry (or a tab lost from the window) fails here even though the two would still agree.
#include "ui/calc/CalcTabs.h"
#include "CalcFixture.h"
#include "core/calc/Calculation.h"
#include "ui/calc/DivisionPage.h"
#include "ui/calc/FormPage.h"
#include "ui/calc/PointGridPage.h"
#include "ui/calc/TransformPage.h"

#include <QAbstractButton>

namespace vemo::test {
namespace {

using CalcTabs = CalcFixture;

enum class PageKind { Grid, Construction, Transform, Division, Listing };

struct ExpectedTab {
    const char* id;
    const char* button;
    const char* command;
    const char* shortcut;
    int help;
    PageKind page;
};

// clang-format off
const ExpectedTab kExpected[] = {
    {"inverse", "逆座標", "逆座標計算", "F11", 20, PageKind::Grid},
    {"perpendicular", "垂線長", "垂線長計算", "F10", 20, PageKind::Grid},
    {"line-line", "直線×直線", "直線 X 直線", "", 21, PageKind::Construction},
    {"line-circle", "直線×円", "直線 X 円", "", 21, PageKind::Construction},
    {"circle-circle", "円×円", "円 X 円", "", 21, PageKind::Construction},
    {"offset", "ｵﾌｾｯﾄ", "ｵﾌｾｯﾄ計算", "", 21, PageKind::Construction},
    {"foot", "垂線の足", "垂線の足計算", "", 21, PageKind::Construction},
    {"corner-cut", "隅切", "隅切計算", "", 21, PageKind::Construction},
    {"parallel-shift", "平行移動点", "連続平行移動点計算", "", 21, PageKind::Construction},
    {"transform", "座標変換", "座標変換", "", 22, PageKind::Transform},
    {"divide", "定面積分割", "定面積分割計算", "", 23, PageKind::Division},
    {"stakeout", "逆打ち", "逆打ち計算", "", 24, PageKind::Listing},
};
// clang-format on

PageKind KindOf(CalcPage* page) {
    if (qobject_cast<PointGridPage*>(page)) {
        return PageKind::Grid;
    }
    if (qobject_cast<TransformPage*>(page)) {
        return PageKind::Transform;
    }
    if (qobject_cast<DivisionPage*>(page)) {
        return PageKind::Division;
    }
    auto* form = qobject_cast<FormPage*>(page);
    EXPECT_NE(form, nullptr);
    return form && form->results() ? PageKind::Construction : PageKind::Listing;
}

TEST_F(CalcTabs, EveryRegisteredCalculationHasItsTabAndEveryTabItsCalculation) {
    const auto registered = Calculations();
    const auto tabs = vemo::CalcTabs();
    ASSERT_EQ(registered.size(), std::size(kExpected));
    ASSERT_EQ(tabs.size(), std::size(kExpected));
    ASSERT_EQ(window->tabCount(), static_cast<int>(std::size(kExpected)));
    const auto buttons = window->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(std::size(kExpected)));
    for (size_t i = 0; i < std::size(kExpected); ++i) {
        const ExpectedTab& expected = kExpected[i];
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(registered[i]->id, expected.id);
        EXPECT_EQ(tabs[i].definition, registered[i]);
        EXPECT_STREQ(tabs[i].command, expected.command);
        EXPECT_STREQ(tabs[i].button, expected.button);
        EXPECT_STREQ(tabs[i].shortcut, expected.shortcut);
        EXPECT_EQ(tabs[i].helpContext, expected.help);
        CalcPage* page = window->page(static_cast<int>(i));
        EXPECT_EQ(page->property("helpContext").toInt(), expected.help);
        EXPECT_EQ(KindOf(page), expected.page);
        // The constructions alone register on the plot's short upward drag.
        EXPECT_EQ(tabs[i].registersOnUpwardDrag, expected.page == PageKind::Construction);
        Open(static_cast<int>(i));
        EXPECT_EQ(window->currentTab(), static_cast<int>(i));
        EXPECT_TRUE(buttons[static_cast<qsizetype>(i)]->isChecked());
        EXPECT_EQ(buttons[static_cast<qsizetype>(i)]->text(), QString::fromUtf8(expected.button));
    }
    // The positions code addresses by name are those of their calculations.
    const std::pair<int, const char*> named[] = {
        {CalcTab::kInverse, "inverse"},
        {CalcTab::kPerpendicular, "perpendicular"},
        {CalcTab::kLineLine, "line-line"},
        {CalcTab::kLineCircle, "line-circle"},
        {CalcTab::kCircleCircle, "circle-circle"},
        {CalcTab::kOffset, "offset"},
        {CalcTab::kFoot, "foot"},
        {CalcTab::kCornerCut, "corner-cut"},
        {CalcTab::kParallelShift, "parallel-shift"},
        {CalcTab::kTransform, "transform"},
        {CalcTab::kDivision, "divide"},
    };
    for (const auto& [index, id] : named) {
        EXPECT_EQ(registered[index]->id, id);
    }
}

} // namespace
} // namespace vemo::test
