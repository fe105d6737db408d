#pragma once

#include "ui/calc/CalcPage.h"
#include "ui/plot/PlotHooks.h"

#include <QWidget>

#include <vector>

class QButtonGroup;
class QStackedWidget;

namespace vemo {

// The calculation types in the order of their tab buttons and of the 計算 menu commands.
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

// The calculation window: a row of tab buttons over the page of the selected calculation.  It is
// created once and shown on demand; it draws the overlay of its page on the plot, takes point names
// clicked on the plot or in the coordinate list, and runs the short drags of the plot that belong to
// it.  A tab is one registration: `setTab(index, text, page)`.
class CalcWindow : public QWidget, public PlotLayer {
    Q_OBJECT
public:
    explicit CalcWindow(CalcHost host, QWidget* parent = nullptr);
    ~CalcWindow() override;

    CalcHost& host() { return host_; }
    // Puts `page` under tab button `index` (replacing the page there): the tab text, its page, its
    // caption and its overlay come with it.
    void setTab(int index, const QString& text, CalcPage* page);
    int tabCount() const { return static_cast<int>(pages_.size()); }
    CalcPage* page(int index) const { return pages_[index]; }
    CalcPage* currentPage() const;
    int currentTab() const { return current_; }

    // Selects a tab: its layout and caption, every input cleared, the focus into its first input.
    void selectTab(int index);
    // The 計算 commands and the plot's short drags: shows the window on the tab.
    void openTab(int index);
    // 閉じる and ｷｬﾝｾﾙ: clears, hides, removes the highlight.
    void closeWindow();
    // A point name from a plot click or a row of the coordinate list; false when the window is hidden
    // or the current tab has no field to take it.
    bool takePointName(const std::string& cp932);

    // Idle processing: the enabling of the shown tab's commands.
    void runIdle();
    // The coordinate list changed: the shown tab recomputes (silently).
    void refreshFromData();

    // Short drags left ("逆座標計算" or "クリア"), right ("垂線長計算" or "クリア") and up ("座標登録"
    // while a result panel is shown).
    QString shortDragHint(PlotDirection direction) const;
    void runShortDrag(PlotDirection direction);

    void PaintLayer(PlotCanvas& canvas) override;
    // Names come from plot clicks while the window is shown, and from rows of the coordinate list
    // while it shows a point-grid tab.
    bool acceptsPointName(bool fromCoordinateList) const;

signals:
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CalcHost host_;
    QButtonGroup* buttons_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    std::vector<CalcPage*> pages_;
    int current_ = 0;
};

// The window with its eleven tabs: the inverse and perpendicular grids, the seven constructions, and
// empty pages for the transformation and the division until their calculations take their place.
CalcWindow* CreateCalcWindow(CalcHost host, QWidget* parent = nullptr);

} // namespace vemo
