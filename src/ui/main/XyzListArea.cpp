#include "ui/main/XyzListArea.h"

#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"
#include "ui/main/KeyRules.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ToolRegistry.h"
#include "ui/plot/PlotHooks.h"
#include "ui/plot/PlotView.h"

namespace vemo {
namespace {

PlotView* ShownPlot(MainWindow& main) {
    PlotView* plot = main.plotView();
    return plot != nullptr && main.isAreaShown(Area::Plot) ? plot : nullptr;
}

// The coordinate list as a taker of points clicked on the plot (while the list is shown and has the
// focus): the clicked point's row becomes the cursor row and the plot marks it.
void RegisterListTool(MainWindow& main, XyzListPanel* panel) {
    PointNameTaker taker;
    taker.order = PlotClickOrder::kCoordinateList;
    taker.accepts = [&main, panel](PointSource source) {
        return source == PointSource::PlotClick && main.isAreaShown(Area::XyzList) && panel->grid()->hasGridFocus();
    };
    taker.take = [&main, panel](const std::string& cp932Name) {
        if (panel->grid()->selectPointByName(cp932Name)) {
            if (PlotView* plot = main.plotView()) {
                plot->UnhighlightPoint();
                plot->HighlightPoint(cp932Name);
            }
        }
    };
    ToolRegistration tool;
    tool.pointNames = std::move(taker);
    main.tools().add(panel, std::move(tool));
}

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
                   Cmd::ListShiftInput, Cmd::ListFindToDown, Cmd::ListFindToUp, Cmd::ListClean, Cmd::ListEdit,
                   Cmd::ListLatLon, Cmd::ListPrintAll}) {
        menu.append(commands.action(id));
    }
    panel->setContextMenuActions(menu);
}

void ConnectPlot(MainWindow& main, XyzListPanel* panel) {
    GridPointHooks hooks;
    // A row clicked while a tool waits for a point name (a calculation field, the parcel editor)
    // gives that name to the tool.
    hooks.takePointName = [&main](const std::string& name) {
        return main.tools().offerPointName(PointSource::GridRow, name);
    };
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
            plot->FollowNewPoints();
        }
    });
    QObject::connect(panel, &XyzListPanel::nameIndexRebuilt, panel, [&main] {
        if (PlotView* plot = ShownPlot(main)) {
            plot->RePaint();
        }
    });
}

} // namespace

XyzListPanel* InstallXyzListArea(MainWindow& main) {
    auto* panel = new XyzListPanel(main.store());
    main.area(Area::XyzList)->setContent(panel);
    main.setXyzListPanel(panel);
    panel->setUpperChr(main.settings().Key.UpperChr);
    QObject::connect(&main.workspace(), &Workspace::settingsChanged, panel,
                     [&main, panel] { panel->setUpperChr(main.settings().Key.UpperChr); });
    ConnectCommands(main, panel);
    XyzStrGrid* grid = panel->grid();
    // Enter in " → " mode reaches the grid's own handler; in " ↓ " mode the key goes to the grid.
    main.keyRules().setEnterGoesDown([grid] { return grid->enterGoesDown(); });
    main.keyRules().setEnterHandler(grid, [grid] { grid->handleEnter(); });
    main.keyRules().setEscapeHandler(grid, [grid] { grid->revertEditor(); });
    ConnectPlot(main, panel);
    RegisterListTool(main, panel);
    return panel;
}

} // namespace vemo
