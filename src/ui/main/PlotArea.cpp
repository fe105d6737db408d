#include "ui/main/PlotArea.h"

#include "ui/common/MessageBox.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ToolRegistry.h"
#include "ui/plot/PlotView.h"
#include "ui/plot/PlotWheelFilter.h"

#include <QApplication>

namespace vemo {
namespace {

// The main window's answers to the plot: the coordinate list's cursor point, the parcel editor's
// visibility, and the short drags the registered tools offer.
class MainPlotHost : public QObject, public PlotHost {
public:
    explicit MainPlotHost(MainWindow& main, QObject* parent) : QObject(parent), main_(main) {}

    std::string ListCursorPointName() const override {
        XyzListPanel* panel = main_.xyzListPanel();
        return panel && main_.isAreaShown(Area::XyzList) ? panel->grid()->cursorPointName() : std::string();
    }
    bool ParcelEditorShown() const override { return main_.isAreaShown(Area::BlockEdit); }
    QString ShortDragHint(PlotDirection direction) const override { return main_.tools().shortDragHint(direction); }
    void ShortDragCommand(PlotDirection direction) override { main_.tools().runShortDrag(direction); }

private:
    MainWindow& main_;
};

// The plot follows the data: an edit redraws the points, a list replaced as a whole starts from a
// clean picture; colours and sizes follow the settings.
void FollowWorkspace(MainWindow& main, PlotView* plot) {
    Workspace& workspace = main.workspace();
    QObject::connect(&workspace, &Workspace::pointsChanged, plot, &PlotView::DataChanged);
    QObject::connect(&workspace, &Workspace::parcelsChanged, plot, &PlotView::DataChanged);
    QObject::connect(&workspace, &Workspace::pointsReplaced, plot, &PlotView::RePaint);
    QObject::connect(&workspace, &Workspace::parcelsReplaced, plot, &PlotView::RePaint);
    QObject::connect(&workspace, &Workspace::settingsChanged, plot,
                     [plot, &main] { plot->SetSettings(PlotSettingsFrom(main.settings())); });
}

void ConnectViewCommands(MainWindow& main, PlotView* plot) {
    CommandSet& commands = main.commands();
    commands.connect(Cmd::ImgRePaint, [plot] { plot->RePaint(); });
    commands.connect(Cmd::ImgFitAll, [plot] { plot->FitAllPoints(); });
    commands.connect(Cmd::ImgUp, [plot] { plot->ZoomIn(); });
    commands.connect(Cmd::ImgDown, [plot] { plot->ZoomOut(); });
    commands.connect(Cmd::ImgRange, [plot, &commands] { plot->SetRangeRemembered(commands.isChecked(Cmd::ImgRange)); });
    commands.connect(Cmd::ImgBlkDisp,
                     [plot, &commands] { plot->SetParcelsShown(commands.isChecked(Cmd::ImgBlkDisp)); });
    commands.connect(Cmd::ImgBlkNameDisp,
                     [plot, &commands] { plot->SetParcelNamesShown(commands.isChecked(Cmd::ImgBlkNameDisp)); });
    commands.connect(Cmd::ImgPNameDisp,
                     [plot, &commands] { plot->SetPointNamesShown(commands.isChecked(Cmd::ImgPNameDisp)); });
    plot->SetContextMenu(commands.menu(Menu::Image));
}

} // namespace

PlotView* InstallPlotArea(MainWindow& main) {
    auto* plot = new PlotView(main.store());
    plot->SetSettings(PlotSettingsFrom(main.settings()), true);
    plot->SetHost(new MainPlotHost(main, plot));
    main.area(Area::Plot)->setContent(plot);
    main.setPlotView(plot);
    ConnectViewCommands(main, plot);
    FollowWorkspace(main, plot);
    qApp->installEventFilter(new PlotWheelFilter(plot, plot));
    QObject::connect(plot, &PlotView::hintChanged, &main,
                     [&main](const QString&, const QString& status) { main.statusPanels().setText(status); });
    // Registered parcels are drawn in full colour while the parcel editor is shown, dimmed otherwise.
    QObject::connect(&main, &MainWindow::areaVisibilityChanged, plot, [plot](Area area, bool) {
        if (area == Area::BlockEdit) {
            plot->RePaint();
        }
    });
    // The display switches are written back at close (BlkDisp, BlkNameDisp) from the menu checks, which
    // the window set from the same settings.
    return plot;
}

} // namespace vemo
