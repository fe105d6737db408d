#include "ui/main/CalcArea.h"

#include "ui/calc/CalcWindow.h"
#include "ui/calc/PointGridPage.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/plot/PlotView.h"

#include <QDockWidget>

#include <filesystem>

namespace vemo {

namespace {

CalcHost HostFor(MainWindow& main, PlotView* plot) {
    CalcHost host;
    host.store = &main.store();
    host.upperCase = main.settings().Key.UpperChr;
    host.repaintPlot = [plot] { plot->update(); };
    host.pointsRegistered = [&main, plot] {
        main.store().RebuildNameIndex();
        plot->RePaint();
    };
    host.highlightPoint = [plot](const std::string& name) {
        if (name.empty()) {
            plot->UnhighlightPoint();
        } else {
            plot->HighlightPoint(name);
        }
    };
    host.resultTxtPath = [&main] {
        const std::filesystem::path folder(main.settings().Dir.TmpDir.empty() ? main.programFolder()
                                                                              : main.settings().Dir.TmpDir);
        return (folder / "Result.Txt").string();
    };
    host.printer = [&main] { return &main.printer(); };
    return host;
}

void ConnectCommands(MainWindow& main, CalcWindow* window) {
    const std::pair<Cmd, int> commands[] = {
        {Cmd::CalcLength, 0},       {Cmd::CalcVertLine, 1},  {Cmd::CalcLineLine, 2}, {Cmd::CalcLineCircle, 3},
        {Cmd::CalcCircleCircle, 4}, {Cmd::CalcOffset, 5},    {Cmd::CalcFoot, 6},     {Cmd::CalcCornerCut, 7},
        {Cmd::CalcParallel, 8},     {Cmd::CalcTransform, 9}, {Cmd::CalcDivision, 10}};
    for (const auto& [command, tab] : commands) {
        main.commands().connect(command, [window, tab] { window->openTab(tab); });
    }
}

} // namespace

CalcWindow* InstallCalcWindow(MainWindow& main, PlotView* plot) {
    CalcWindow* window = CreateCalcWindow(HostFor(main, plot));
    if (main.settings().Calc.TileDisp) {
        auto* dock = new QDockWidget(&main);
        dock->setObjectName(QStringLiteral("CalcDock"));
        dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        dock->setWidget(window);
        QObject::connect(window, &QWidget::windowTitleChanged, dock, &QDockWidget::setWindowTitle);
        dock->setWindowTitle(window->windowTitle());
        main.addDockWidget(Qt::LeftDockWidgetArea, dock);
        dock->hide();
    } else {
        window->setParent(&main, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowMinimizeButtonHint);
        window->move(1, 73);
        window->hide();
    }
    if (main.settings().Calc.BackWardType == 1) {
        if (auto* inverse = qobject_cast<PointGridPage*>(window->page(0))) {
            inverse->setRadial(true);
        }
    }
    plot->AddLayer(window, PlotLayerOrder::kCalculation);
    plot->AddClickTarget(window, PlotClickOrder::kCalculation);
    ConnectCommands(main, window);
    return window;
}

} // namespace vemo
