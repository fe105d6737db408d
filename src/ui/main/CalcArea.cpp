#include "ui/main/CalcArea.h"

#include "ui/calc/CalcWindow.h"
#include "ui/common/GridFont.h"
#include "ui/common/Workspace.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"
#include "ui/main/KeyRules.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ToolRegistry.h"
#include "ui/parcels/ParcelEditor.h"
#include "ui/parcels/SelectionPanel.h"
#include "ui/plot/PlotView.h"
#include "ui/serial/ZubTransferDialog.h"

#include "core/serial/ZubLine.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QScreen>

#include <filesystem>

namespace vemo {

namespace {

CalcHost HostFor(MainWindow& main, ParcelEditor* editor, ZubTransferDialog* serial) {
    CalcHost host;
    host.store = &main.store();
    host.upperCase = [&main] { return main.settings().Key.UpperChr; };
    host.radialInverse = main.settings().Calc.BackWardType == 1;
    host.repaintPlot = [&main] {
        if (PlotView* plot = main.plotView()) {
            plot->update();
        }
    };
    // The plot and the list follow the store by themselves; a bad cell is reported now, not later.
    host.pointsRegistered = [&main] { main.store().RebuildNameIndex(); };
    host.highlightPoint = [&main](const std::string& name) {
        PlotView* plot = main.plotView();
        if (!plot) {
            return;
        }
        if (name.empty()) {
            plot->UnhighlightPoint();
        } else {
            plot->HighlightPoint(name);
        }
    };
    // The transformation takes the points of the coordinate selection while its panel is shown.
    host.selectedPoints = [&main] {
        auto* panel = main.findChild<SelectionPanel*>();
        return panel && main.isSelectionPanelShown() ? panel->names() : std::vector<std::string>{};
    };
    host.toggleSelection = [&main] { main.commands().trigger(Cmd::EditXyzSelect); };
    host.plotTopLeft = [&main] {
        PlotView* plot = main.plotView();
        return plot ? plot->mapToGlobal(QPoint(0, 0)) : QPoint();
    };
    host.resultTxtPath = [&main] {
        const std::filesystem::path folder(main.settings().Dir.TmpDir.empty() ? main.programFolder()
                                                                              : main.settings().Dir.TmpDir);
        return (folder / "Result.Txt").string();
    };
    if (serial) {
        host.sendPoints = [&main, serial](const std::vector<std::string>& names) {
            serial->ExecSend(BuildCoordinateSendList(names, main.store().Index()), main.settings().Rs232c);
        };
    }
    if (editor) {
        host.parcelEditorShown = [&main] { return main.isAreaShown(Area::BlockEdit); };
        host.openParcelNames = [editor] { return editor->rows(); };
        host.clearParcelEditor = [editor] { editor->clearParcel(); };
    }
    return host;
}

void ConnectCommands(MainWindow& main, CalcWindow* window) {
    for (int tab = 0; tab < window->tabCount(); ++tab) {
        main.commands().connect(CalcTabCommand(tab), [window, tab] { window->openTab(tab); });
    }
}

// Registers what the window offers the plot and the other areas.
void Register(MainWindow& main, CalcWindow* window) {
    ToolRegistration tool;
    tool.layer = window;
    tool.layerOrder = PlotLayerOrder::kCalculation;
    tool.pointNames = PointNameTaker{
        PlotClickOrder::kCalculation,
        [window](PointSource source) { return window->acceptsPointName(source == PointSource::GridRow); },
        [window](const std::string& name) { window->takePointName(name); }};
    tool.panel = ClosablePanel{PanelOrder::kCalculation, QStringLiteral("計算ウィンドウ閉じる|計算ウィンドウ閉じる"),
                               [window] { return window->isVisible(); }, [window] { window->closeWindow(); }};
    // After the parcel editor, whose 画地登録 comes first on an upward drag.
    tool.shortDrag = ShortDrag{PlotClickOrder::kParcelEditor + 5,
                               [window](PlotDirection direction) { return window->shortDragHint(direction); },
                               [window](PlotDirection direction) { window->runShortDrag(direction); }};
    tool.idle = [window] { window->runIdle(); };
    // New coordinates over a list that held data close the window.
    tool.files.closeCalculation = [window] {
        if (window->isVisible()) {
            window->closeWindow();
        }
    };
    main.tools().add(window, std::move(tool));
}

} // namespace

CalcWindow* InstallCalcWindow(MainWindow& main, ParcelEditor* parcelEditor, ZubTransferDialog* serial) {
    CalcWindow* window = CreateCalcWindow(HostFor(main, parcelEditor, serial));
    if (main.settings().Calc.TileDisp) {
        auto* dock = new QDockWidget(&main);
        dock->setObjectName(QStringLiteral("CalcDock"));
        dock->setFeatures(QDockWidget::DockWidgetMovable);
        dock->setWidget(window);
        QObject::connect(window, &QWidget::windowTitleChanged, dock, &QDockWidget::setWindowTitle);
        dock->setWindowTitle(window->windowTitle());
        main.addDockWidget(Qt::LeftDockWidgetArea, dock);
        dock->hide();
    } else {
        window->setParent(&main, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowMinimizeButtonHint);
        // Top left of the screen, four fifths of its height, 42 grid characters wide.
        window->move(1, 73);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        window->resize(42 * DigitWidth(GridFont()) + 40, screen.height() * 4 / 5);
        window->hide();
    }
    Register(main, window);
    // Enter confirms names and moves within the window, Escape steps back: the window's own rules.
    main.keyRules().leaveEnterAndEscapeTo(window);
    QObject::connect(&main.workspace(), &Workspace::pointsChanged, window, &CalcWindow::refreshFromData);
    ConnectCommands(main, window);
    return window;
}

} // namespace vemo
