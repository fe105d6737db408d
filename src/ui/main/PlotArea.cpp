#include "ui/main/PlotArea.h"

#include "ui/common/MessageBox.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/main/StatusPanels.h"
#include "ui/plot/PlotView.h"
#include "ui/plot/PlotWheelFilter.h"

#include <QApplication>

namespace vemo {
namespace {

// The main window's answers to the plot.  The calculation window, the selection list and the parcel
// editor add their own short-drag commands and click targets when they arrive.
class MainPlotHost : public QObject, public PlotHost {
public:
    explicit MainPlotHost(MainWindow& main, QObject* parent) : QObject(parent), main_(main) {}

    std::string ListCursorPointName() const override {
        auto* panel = qobject_cast<XyzListPanel*>(main_.area(Area::XyzList)->content());
        return panel && main_.isAreaShown(Area::XyzList) ? panel->grid()->cursorPointName() : std::string();
    }

    bool ParcelEditorShown() const override { return main_.isAreaShown(Area::BlockEdit); }

    QString ShortDragHint(PlotDirection direction) const override {
        if (direction != PlotDirection::Down) {
            return {};
        }
        switch (PanelToClose()) {
        case Panel::Selection:
            return QStringLiteral("座標選択ウィンドウ閉じる|座標選択ウィンドウ閉じる");
        case Panel::BlockEdit:
            return QStringLiteral("画地リスト閉じる|画地リスト閉じる");
        case Panel::XyzList:
            return QStringLiteral("座標リスト閉じる|座標リスト閉じる");
        case Panel::DataTree:
            return QStringLiteral("データツリー閉じる|データツリー閉じる");
        case Panel::None:
            break;
        }
        return {};
    }

    void ShortDragCommand(PlotDirection direction) override {
        if (direction != PlotDirection::Down) {
            return;
        }
        switch (PanelToClose()) {
        case Panel::Selection:
            main_.setSelectionPanelShown(false);
            break;
        case Panel::BlockEdit:
            main_.toggleArea(Area::BlockEdit);
            break;
        case Panel::XyzList:
            main_.toggleArea(Area::XyzList);
            break;
        case Panel::DataTree:
            main_.toggleArea(Area::DataTree);
            break;
        case Panel::None:
            break;
        }
    }

private:
    enum class Panel { None, Selection, BlockEdit, XyzList, DataTree };

    // The first shown of the selection panel, the parcel editor, the coordinate list, the data tree
    // (the calculation window comes second once it exists).
    Panel PanelToClose() const {
        if (main_.isSelectionPanelShown()) {
            return Panel::Selection;
        }
        if (main_.isAreaShown(Area::BlockEdit)) {
            return Panel::BlockEdit;
        }
        if (main_.isAreaShown(Area::XyzList)) {
            return Panel::XyzList;
        }
        if (main_.isAreaShown(Area::DataTree)) {
            return Panel::DataTree;
        }
        return Panel::None;
    }

    MainWindow& main_;
};

void ConnectViewCommands(MainWindow& main, PlotView* plot) {
    CommandSet& commands = main.commands();
    commands.connect(Cmd::ImgRePaint, [plot] { plot->RePaint(); });
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
    ConnectViewCommands(main, plot);
    qApp->installEventFilter(new PlotWheelFilter(plot, plot));
    QObject::connect(plot, &PlotView::HintChanged, &main,
                     [&main](const QString&, const QString& status) { main.statusPanels().setText(status); });
    QObject::connect(plot, &PlotView::CommandFailed, &main,
                     [&main](const QString& message) { MessageBox::Show(&main, message); });
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
