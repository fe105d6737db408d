#include "ui/calc/CalcTabs.h"

#include "ui/calc/ConstructionPage.h"
#include "ui/calc/DivisionPage.h"
#include "ui/calc/FormPage.h"
#include "ui/calc/PointGridPage.h"
#include "ui/calc/TransformPage.h"

namespace vemo {
namespace {

// F1 topics: the point grids, the constructions, the transformation, the division, the stake-out.
constexpr int kGridHelp = 20;
constexpr int kConstructionHelp = 21;
constexpr int kTransformHelp = 22;
constexpr int kDivisionHelp = 23;
constexpr int kStakeOutHelp = 24;

template <PointGridPage::Kind kKind> CalcPage* PointGrid(CalcHost& host) {
    return new PointGridPage(kKind, host);
}

template <ConstructionPage::Type kType> CalcPage* Construction(CalcHost& host) {
    return new ConstructionPage(kType, host);
}

// A tab made from the registered calculation's inputs (core/calc/Calculation.h).
template <const char* kId> CalcPage* Form(CalcHost& host) {
    return new FormPage(*FindCalculation(kId), host);
}
constexpr char kStakeOut[] = "stakeout";

template <class PageType> CalcPage* Page(CalcHost& host) {
    return new PageType(host);
}

using Grid = PointGridPage::Kind;
using Kind = ConstructionPage::Type;

// clang-format off
// button, command, shortcut, separator before it, F1 topic, page, takes list rows, opening drag,
// registers on an upward drag
const CalcTabInfo kTabs[] = {
    {"逆座標", "逆座標計算", "F11", false, kGridHelp, PointGrid<Grid::Inverse>, true, PlotDirection::Left, false},
    {"垂線長", "垂線長計算", "F10", false, kGridHelp, PointGrid<Grid::Perpendicular>, true, PlotDirection::Right, false},
    {"直線×直線", "直線 X 直線", "", true, kConstructionHelp, Construction<Kind::LineLine>, false, {}, true},
    {"直線×円", "直線 X 円", "", false, kConstructionHelp, Construction<Kind::LineCircle>, false, {}, true},
    {"円×円", "円 X 円", "", false, kConstructionHelp, Construction<Kind::CircleCircle>, false, {}, true},
    {"ｵﾌｾｯﾄ", "ｵﾌｾｯﾄ計算", "", false, kConstructionHelp, Construction<Kind::Offset>, false, {}, true},
    {"垂線の足", "垂線の足計算", "", false, kConstructionHelp, Construction<Kind::Foot>, false, {}, true},
    {"隅切", "隅切計算", "", false, kConstructionHelp, Construction<Kind::CornerCut>, false, {}, true},
    {"平行移動点", "連続平行移動点計算", "", false, kConstructionHelp, Construction<Kind::ParallelShift>, false, {}, true},
    {"座標変換", "座標変換", "", true, kTransformHelp, Page<TransformPage>, false, {}, false},
    {"定面積分割", "定面積分割計算", "", false, kDivisionHelp, Page<DivisionPage>, true, {}, false},
    {"逆打ち", "逆打ち計算", "", false, kStakeOutHelp, Form<kStakeOut>, false, {}, false},
};
// clang-format on

} // namespace

std::span<const CalcTabInfo> CalcTabs() {
    return kTabs;
}

} // namespace vemo
