#include "ui/main/XyzListArea.h"

#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"
#include "ui/main/KeyRules.h"
#include "ui/main/MainWindow.h"
#include "ui/plot/PlotHooks.h"
#include "ui/plot/PlotView.h"

#include <QPointer>

namespace vemo {
namespace {

PlotView* ShownPlot(MainWindow& main) {
    auto* plot = qobject_cast<PlotView*>(main.area(Area::Plot)->content());
    return plot != nullptr && main.isAreaShown(Area::Plot) ? plot : nullptr;
}

// The coordinate list as a taker of points clicked on the plot: the clicked point's row becomes the
// cursor row and the plot marks it.
class XyzListClickTarget : public QObject, public PlotClickTarget {
public:
    XyzListClickTarget(MainWindow& main, XyzListPanel& panel, PlotView& plot)
        : QObject(&panel), main_(main), panel_(panel), plot_(plot), plotAlive_(&plot) {}
    // When the main window closes, the plot area may go before the list area.
    ~XyzListClickTarget() override {
        if (plotAlive_) {
            plot_.RemoveClickTarget(this);
        }
    }

    bool AcceptsPointClick() const override {
        return main_.isAreaShown(Area::XyzList) && panel_.grid()->hasGridFocus();
    }
    void PointClicked(const std::string& cp932Name) override {
        if (panel_.grid()->selectPointByName(cp932Name)) {
            plot_.UnhighlightPoint();
            plot_.HighlightPoint(cp932Name);
        }
    }

private:
    MainWindow& main_;
    XyzListPanel& panel_;
    PlotView& plot_;
    QPointer<PlotView> plotAlive_;
};

void ConnectCommands(MainWindow& main, XyzListPanel* panel) {
    CommandSet& commands = main.commands();
    XyzStrGrid* grid = panel->grid();
    commands.connect(Cmd::ListInsert, [panel] { panel->insertRow(); });
    commands.connect(Cmd::ListDelete, [panel] { panel->deleteRow(); });
    commands.connect(Cmd::ListZInput, [panel] { panel->toggleZInput(); });
    commands.connect(Cmd::ListTensyuInput, [panel] { panel->toggleTensyuInput(); });
    commands.connect(Cmd::ListBikoInput, [panel] { panel->toggleBikoInput(); });
    commands.connect(Cmd::ListShiftInput, [panel] { panel->toggleShiftInput(); });
    commands.connect(Cmd::ListFindToDown, [panel] { panel->findDown(); });
    commands.connect(Cmd::ListFindToUp, [panel] { panel->findUp(); });
    commands.connect(Cmd::ListClean, [panel] { panel->clean(); });
    commands.connect(Cmd::ListEdit, [panel] { panel->editInEditor(); });
    // The menu's check marks follow the switches however they were changed.
    QObject::connect(grid, &XyzStrGrid::columnSwitchesChanged, panel, [&commands](const ColumnSwitches& switches) {
        commands.setChecked(Cmd::ListZInput, switches.z);
        commands.setChecked(Cmd::ListTensyuInput, switches.tensyu);
        commands.setChecked(Cmd::ListBikoInput, switches.biko);
    });
    QObject::connect(panel, &XyzListPanel::shiftInputChanged, panel,
                     [&commands](bool on) { commands.setChecked(Cmd::ListShiftInput, on); });
    QList<QAction*> menu;
    for (Cmd id : {Cmd::ListInsert, Cmd::ListDelete, Cmd::ListZInput, Cmd::ListTensyuInput, Cmd::ListBikoInput,
                   Cmd::ListShiftInput, Cmd::ListFindToDown, Cmd::ListFindToUp, Cmd::ListClean, Cmd::ListEdit}) {
        menu.append(commands.action(id));
    }
    panel->setContextMenuActions(menu);
}

void ConnectPlot(MainWindow& main, XyzListPanel* panel) {
    GridPointHooks hooks;
    hooks.plotShown = [&main] { return ShownPlot(main) != nullptr; };
    hooks.highlightPoint = [&main](const std::string& name) {
        if (PlotView* plot = ShownPlot(main)) {
            plot->HighlightPoint(name);
        }
    };
    hooks.unhighlightPoint = [&main] {
        if (PlotView* plot = ShownPlot(main)) {
            plot->UnhighlightPoint();
        }
    };
    panel->grid()->setPointHooks(std::move(hooks));
    QObject::connect(panel, &XyzListPanel::fitAllRequested, panel, [&main] {
        if (PlotView* plot = ShownPlot(main)) {
            plot->FitAll();
        }
    });
    QObject::connect(panel, &XyzListPanel::nameIndexRebuilt, panel, [&main] {
        if (PlotView* plot = ShownPlot(main)) {
            plot->RePaint();
        }
    });
    if (auto* plot = qobject_cast<PlotView*>(main.area(Area::Plot)->content())) {
        LinkXyzListToPlot(main, *panel, *plot);
    }
}

} // namespace

XyzListPanel* InstallXyzListArea(MainWindow& main) {
    auto* panel = new XyzListPanel(main.store());
    main.area(Area::XyzList)->setContent(panel);
    panel->setUpperChr(main.settings().Key.UpperChr);
    ConnectCommands(main, panel);
    XyzStrGrid* grid = panel->grid();
    // Enter in " → " mode reaches the grid's own handler; in " ↓ " mode the key goes to the grid.
    main.keyRules().setEnterGoesDown([grid] { return grid->enterGoesDown(); });
    main.keyRules().setEnterHandler(grid, [grid] { grid->handleEnter(); });
    main.keyRules().setEscapeHandler(grid, [grid] { grid->revertEditor(); });
    ConnectPlot(main, panel);
    return panel;
}

void LinkXyzListToPlot(MainWindow& main, XyzListPanel& panel, PlotView& plot) {
    plot.AddClickTarget(new XyzListClickTarget(main, panel, plot), PlotClickOrder::kCoordinateList);
}

} // namespace vemo
