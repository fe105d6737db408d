#include "ui/main/MainWindow.h"

#include "ui/common/FocusReturn.h"
#include "ui/common/GridFont.h"
#include "ui/common/LockKeys.h"
#include "ui/common/StatusNotice.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/main/AboutBox.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"
#include "ui/main/KeyRules.h"
#include "ui/main/StartHint.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ToolRegistry.h"
#include "ui/main/TreeArea.h"
#include "ui/plot/PlotView.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace vemo {
namespace {

// How often the idle rules run.  Qt has no "queue became empty" event; a short timer gives the same
// effect for status panels and enabling without measurable load.
constexpr int kIdleIntervalMs = 200;

constexpr std::array<Cmd, kAreaCount> kAreaToggle = {Cmd::DispDatTree, Cmd::DispXyzList, Cmd::DispXyzImage,
                                                     Cmd::DispBlockEdit};
constexpr std::array<Menu, kAreaCount> kAreaMenu = {Menu::Tree, Menu::List, Menu::Image, Menu::Block};

} // namespace

MainWindow::MainWindow(Workspace& workspace, QWidget* parent) : QMainWindow(parent), workspace_(workspace) {
    setObjectName(QStringLiteral("VemoMain"));
    commands_ = new CommandSet(this);
    tools_ = new ToolRegistry(this);
    keyRules_ = new KeyRules(this, [this](bool next) { moveFocus(next); });
    autoSave_ = new AutoSaveTimer(this);
    lockKeys_ = new LockKeys(this);
    buildLayout();
    buildToolBars();
    status_ = new StatusPanels(statusBar());
    // What a command wrote, and where, or what a click put into a tool, is said on the status line.
    SetStatusNoticeSink(this, [this](const QString& text) { status_->setText(text); });
    InstallFocusReturn(this);
    connectOwnCommands();
    commands_->setPreferredMenu([this]() -> std::optional<Menu> {
        QWidget* focus = QApplication::focusWidget();
        for (int i = 0; i < kAreaCount; ++i) {
            if (focus != nullptr && areas_[i]->isAncestorOf(focus)) {
                return kAreaMenu[i];
            }
        }
        return std::nullopt;
    });

    applySettings();
    registerAreaPanels();
    connect(&workspace_, &Workspace::settingsChanged, this, &MainWindow::applyChangedSettings);
    connect(&workspace_, &Workspace::dataNamesChanged, this, &MainWindow::updateCaption);
    // Only the data tree is shown until coordinates are created or opened.
    for (Area hidden : {Area::XyzList, Area::Plot, Area::BlockEdit}) {
        setAreaShown(hidden, false);
    }
    setAreaShown(Area::DataTree, true);
    updateCaption();
    markRunStarted();

    idleTimer_ = new QTimer(this);
    connect(idleTimer_, &QTimer::timeout, this, &MainWindow::runIdle);
    idleTimer_->start(kIdleIntervalMs);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &MainWindow::onApplicationState);
}

// The areas and tool windows may call back into the main window while they go (a docked window that
// repaints the plot as it hides): they are taken down while the main window is still whole.
MainWindow::~MainWindow() {
    ownAboutBox_.reset();
    QList<QPointer<QWidget>> children;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        children.append(child);
    }
    for (const QPointer<QWidget>& child : children) {
        delete child.data();
    }
}

PlotView* MainWindow::plotView() const {
    return plot_;
}

XyzListPanel* MainWindow::xyzListPanel() const {
    return xyzListPanel_;
}

TreeArea* MainWindow::treeArea() const {
    return treeArea_;
}

void MainWindow::setPlotView(PlotView* plot) {
    plot_ = plot;
    tools_->setPlot(plot);
}

void MainWindow::setXyzListPanel(XyzListPanel* panel) {
    xyzListPanel_ = panel;
}

void MainWindow::setTreeArea(TreeArea* tree) {
    treeArea_ = tree;
}

// A short downward drag on the plot closes the first shown of the selection panel, the parcel editor,
// the coordinate list and the data tree (the calculation window registers itself second).
void MainWindow::registerAreaPanels() {
    ToolRegistration selection;
    selection.panel =
        ClosablePanel{PanelOrder::kSelection, QStringLiteral("座標選択ウィンドウ閉じる|座標選択ウィンドウ閉じる"),
                      [this] { return isSelectionPanelShown(); }, [this] { setSelectionPanelShown(false); }};
    tools_->add(this, std::move(selection));
    const struct {
        Area area;
        int order;
        const char* caption;
    } areas[] = {{Area::BlockEdit, PanelOrder::kParcelEditor, "画地リスト閉じる"},
                 {Area::XyzList, PanelOrder::kCoordinateList, "座標リスト閉じる"},
                 {Area::DataTree, PanelOrder::kDataTree, "データツリー閉じる"}};
    for (const auto& a : areas) {
        const QString caption = QString::fromUtf8(a.caption);
        const Area area = a.area;
        ToolRegistration panel;
        panel.panel = ClosablePanel{a.order, caption + QLatin1Char('|') + caption,
                                    [this, area] { return isAreaShown(area); }, [this, area] { toggleArea(area); }};
        tools_->add(this, std::move(panel));
    }
}

void MainWindow::buildLayout() {
    commands_->populate(menuBar());
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    connect(splitter_, &QSplitter::splitterMoved, this, &MainWindow::rememberDraggedWidths);
    areas_[static_cast<int>(Area::DataTree)] = new AreaSlot(QStringLiteral("データツリー"));
    areas_[static_cast<int>(Area::XyzList)] = new AreaSlot(QStringLiteral("座標リスト"));
    areas_[static_cast<int>(Area::Plot)] = new AreaSlot(QStringLiteral("測点イメージ"));
    areas_[static_cast<int>(Area::BlockEdit)] = new AreaSlot(QStringLiteral("画地編集"));
    selectionSlot_ = new AreaSlot(QStringLiteral("座標選択"));
    selectionSlot_->hide();

    // The selection panel lies at the left edge of the plot area.
    plotContainer_ = new QWidget;
    auto* plotLayout = new QHBoxLayout(plotContainer_);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->setSpacing(0);
    plotLayout->addWidget(selectionSlot_);
    plotLayout->addWidget(area(Area::Plot), 1);

    // While the plot is hidden a filler takes the free width, so that the other areas keep their own
    // widths; with no data open it shows the first steps.
    filler_ = new StartHint(store());
    splitter_->addWidget(area(Area::DataTree));
    splitter_->addWidget(area(Area::XyzList));
    splitter_->addWidget(plotContainer_);
    splitter_->addWidget(area(Area::BlockEdit));
    splitter_->addWidget(filler_);
    for (int i = 0; i < splitter_->count(); ++i) {
        const bool stretches = splitter_->widget(i) == plotContainer_ || splitter_->widget(i) == filler_;
        splitter_->setStretchFactor(i, stretches ? 1 : 0);
    }
    for (AreaSlot* slot : areas_) {
        slot->hide();
    }
    plotContainer_->hide();
    // With all four areas shown the fixed-width areas take about 1,000 pixels; the plot must keep a
    // usable width beside them, and the window starts as large as the screen allows.
    plotContainer_->setMinimumWidth(kPlotMinimumWidth);
    setCentralWidget(splitter_);
    resize(initialWindowSize());
}

QSize MainWindow::initialWindowSize() const {
    QSize size(1024, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.expandedTo(screen->availableGeometry().size() * 9 / 10);
    }
    return size;
}

void MainWindow::buildToolBars() {
    // The left tool bar: the area toggles (the data tree button is pressed at start).  The calculation
    // window docks beside it.
    auto* areas = new QToolBar(QStringLiteral("表示"), this);
    areas->setObjectName(QStringLiteral("AreaToolBar"));
    areas->setMovable(false);
    areas->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Short captions keep the bar narrow; the menu shows the full ones.
    const std::array<QString, kAreaCount> buttonTexts = {QStringLiteral("ツリー"), QStringLiteral("リスト"),
                                                         QStringLiteral("イメージ"), QStringLiteral("画地")};
    for (int i = 0; i < kAreaCount; ++i) {
        commands_->action(kAreaToggle[i])->setIconText(buttonTexts[i]);
        areas->addAction(commands_->action(kAreaToggle[i]));
    }
    addToolBar(Qt::LeftToolBarArea, areas);

    // The external programs: five flat buttons 45 pixels wide showing their captions.
    auto* programs = new QToolBar(QStringLiteral("実行ファイル"), this);
    programs->setObjectName(QStringLiteral("ProgramToolBar"));
    programs->setMovable(false);
    programs->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (Cmd id : {Cmd::Program1, Cmd::Program2, Cmd::Program3, Cmd::Program4, Cmd::Program5}) {
        programs->addAction(commands_->action(id));
        if (auto* button = qobject_cast<QToolButton*>(programs->widgetForAction(commands_->action(id)))) {
            button->setFixedWidth(45);
            button->setAutoRaise(true);
        }
    }
    addToolBar(Qt::TopToolBarArea, programs);

    // The view commands a newcomer looks for first, on a row of their own.
    auto* view = new QToolBar(QStringLiteral("測点イメージ"), this);
    view->setObjectName(QStringLiteral("ImageToolBar"));
    view->setMovable(false);
    view->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (Cmd id : {Cmd::ImgFitAll, Cmd::ImgUp, Cmd::ImgDown}) {
        view->addAction(commands_->action(id));
    }
    addToolBar(Qt::TopToolBarArea, view);
}

void MainWindow::connectOwnCommands() {
    for (int i = 0; i < kAreaCount; ++i) {
        commands_->connect(kAreaToggle[i], [this, i] { toggleArea(static_cast<Area>(i)); });
    }
    commands_->connect(Cmd::FileExit, [this] { close(); });
    commands_->connect(Cmd::HelpAbout, [this] { showAbout(); });
    commands_->connect(Cmd::FilePrintSetup, [this] { showPrinterSetup(); });
}

bool MainWindow::isAreaShown(Area which) const {
    return !area(which)->isHidden();
}

void MainWindow::toggleArea(Area which) {
    const bool show = !isAreaShown(which);
    setAreaShown(which, show);
    // The areas typed into take the keyboard when shown by their command.
    if (show && (which == Area::XyzList || which == Area::BlockEdit)) {
        area(which)->focusContent();
    }
    emit areaToggled(which, show);
}

void MainWindow::setAreaShown(Area which, bool shown) {
    const int i = static_cast<int>(which);
    area(which)->setVisible(shown);
    if (which == Area::Plot) {
        plotContainer_->setVisible(shown);
        filler_->setVisible(!shown);
    }
    commands_->setChecked(kAreaToggle[i], shown);
    commands_->setMenuEnabled(kAreaMenu[i], shown);
    applySplitterSizes();
    emit areaVisibilityChanged(which, shown);
}

// A width the user set by dragging a divider is the area's width from then on; a width the layout
// squeezed (a narrow window, the plot's minimum) is not.
void MainWindow::rememberDraggedWidths() {
    for (int a = 0; a < kAreaCount; ++a) {
        AreaSlot* slot = areas_[a];
        if (static_cast<Area>(a) != Area::Plot && slot->isVisible() && slot->width() > 0) {
            widths_[a] = slot->width();
        }
    }
}

int MainWindow::areaWidth(Area which) const {
    return widths_[static_cast<int>(which)];
}

// The user's width, widened to what the content needs to show whole, up to a limit.
int MainWindow::shownWidth(Area which) const {
    const int need = std::min(area(which)->widthNeed(), kWidthNeedLimit);
    return std::max(widths_[static_cast<int>(which)], need);
}

// Fixed areas get their remembered widths; the plot (or the filler) takes what is left.
void MainWindow::applySplitterSizes() {
    const int total = std::max(splitter_->width(), width());
    QList<int> sizes;
    int used = 0;
    for (int i = 0; i < splitter_->count(); ++i) {
        QWidget* child = splitter_->widget(i);
        int size = 0;
        for (int a = 0; a < kAreaCount; ++a) {
            if (child == areas_[a] && !child->isHidden()) {
                size = shownWidth(static_cast<Area>(a));
            }
        }
        used += size;
        sizes.append(size);
    }
    for (int i = 0; i < splitter_->count(); ++i) {
        QWidget* child = splitter_->widget(i);
        if ((child == plotContainer_ || child == filler_) && !child->isHidden()) {
            sizes[i] = std::max(1, total - used);
        }
    }
    splitter_->setSizes(sizes);
}

void MainWindow::setSelectionPanelShown(bool shown) {
    selectionSlot_->setVisible(shown);
}

bool MainWindow::isSelectionPanelShown() const {
    return !selectionSlot_->isHidden();
}

void MainWindow::showAbout() {
    if (aboutBox_ == nullptr) {
        ownAboutBox_ = std::make_unique<AboutBox>(this);
        aboutBox_ = ownAboutBox_.get();
    }
    aboutBox_->exec();
}

QPrinter& MainWindow::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

void MainWindow::showPrinterSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void MainWindow::moveFocus(bool next) {
    focusNextPrevChild(next);
}

int MainWindow::defaultXyzListWidth() const {
    return 62 * DigitWidth(GridFont()) + 50;
}

} // namespace vemo
