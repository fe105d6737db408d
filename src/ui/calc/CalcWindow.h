#pragma once

#include "ui/calc/CalcPage.h"
#include "ui/calc/CalcTabs.h"
#include "ui/plot/PlotHooks.h"

#include <QWidget>

#include <span>
#include <vector>

class QButtonGroup;
class QStackedWidget;

namespace vemo {

// The calculation window: a row of tab buttons over the page of the selected calculation.  It is
// created once and shown on demand; it draws the overlay of its page on the plot, takes point names
// clicked on the plot or in the coordinate list, and runs the short drags of the plot that belong to
// it.  Its tabs are the rows of a table (`CalcTabs()`): each brings its button, its page and what it
// takes from the list and the plot.
class CalcWindow : public QWidget, public PlotLayer {
    Q_OBJECT
public:
    CalcWindow(CalcHost host, std::span<const CalcTabInfo> tabs, QWidget* parent = nullptr);
    ~CalcWindow() override;

    CalcHost& host() { return host_; }
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

    // Short drags left and right (the command of the tab they open, or "クリア" while it is shown) and
    // up ("座標登録" while a tab that registers on it is shown).
    QString shortDragHint(PlotDirection direction) const;
    void runShortDrag(PlotDirection direction);

    void PaintLayer(PlotCanvas& canvas) override;
    // Names come from plot clicks while the window is shown, and from rows of the coordinate list
    // while it shows a tab that takes them.
    bool acceptsPointName(bool fromCoordinateList) const;

signals:
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void addTab(const CalcTabInfo& tab, int index);
    const CalcTabInfo& currentInfo() const { return tabs_[current_]; }

    CalcHost host_;
    std::span<const CalcTabInfo> tabs_;
    QButtonGroup* buttons_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    std::vector<CalcPage*> pages_;
    int current_ = 0;
};

// The window with the tabs of `CalcTabs()`, the first one selected.
CalcWindow* CreateCalcWindow(CalcHost host, QWidget* parent = nullptr);

} // namespace vemo
