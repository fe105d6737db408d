#include "ui/main/TreeArea.h"

#include "core/settings/Settings.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/CommandGuard.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ToolRegistry.h"
#include "ui/plot/PlotView.h"
#include "ui/tree/AutoSaver.h"
#include "ui/tree/DataTree.h"

#include "core/files/FileFormat.h"
#include "ui/tree/ExchangeCommands.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/FileCommands.h"
#include "ui/tree/FolderCommands.h"
#include "ui/tree/HeaderEditor.h"
#include "ui/tree/LinkFileCommands.h"
#include <QScrollBar>
#include <QTreeWidget>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

namespace vemo {
namespace {

Area AreaOf(FileArea area) {
    switch (area) {
    case FileArea::DataTree:
        return Area::DataTree;
    case FileArea::XyzList:
        return Area::XyzList;
    case FileArea::Plot:
        return Area::Plot;
    case FileArea::BlockEdit:
        break;
    }
    return Area::BlockEdit;
}

template <class F> void CallIfSet(const F& f) {
    if (f) {
        f();
    }
}

} // namespace

// The main window as the file commands see it.
class TreeArea::Host : public FileCommandHost {
public:
    explicit Host(MainWindow& main) : main_(main) {}

    bool isAreaShown(FileArea area) const override { return main_.isAreaShown(AreaOf(area)); }
    void setAreaShown(FileArea area, bool shown) override { main_.setAreaShown(AreaOf(area), shown); }
    void toggleArea(FileArea area) override { main_.toggleArea(AreaOf(area)); }
    void setCaption(const QString& caption) override { main_.setCaptionText(caption); }
    void setStatusText(const QString& text) override { main_.statusPanels().setText(text); }

    void coordinatesLoaded() override {
        if (PlotView* view = main_.plotView()) {
            view->CoordinatesLoaded();
        }
    }
    // The index follows the list by itself: showing all points is fitting them.
    void showAllPoints() override { coordinatesLoaded(); }
    void redrawPlot() override {
        if (PlotView* view = main_.plotView()) {
            view->RePaint();
        }
    }
    void focusGrid() override { main_.area(Area::XyzList)->focusContent(); }
    std::pair<int, int> gridCursor() const override {
        if (XyzStrGrid* grid = this->grid()) {
            const GridCell cell = grid->currentCell();
            return {cell.row, cell.col};
        }
        return {1, 1};
    }
    void setGridCursor(int row, int col) override {
        if (XyzStrGrid* grid = this->grid()) {
            grid->setCurrentCell({row, col});
        }
    }

    void enableDataCommands() override {
        for (Cmd id : {Cmd::DispXyzList, Cmd::DispXyzImage, Cmd::DispBlockEdit, Cmd::EditXyzSelect, Cmd::FileNewBlk,
                       Cmd::FileSave, Cmd::FileSaveAs}) {
            main_.commands().setEnabled(id, true);
        }
    }
    bool dataCommandsEnabled() const override { return main_.commands().isWanted(Cmd::DispXyzList); }

    void resetParcelEditor() override {
        main_.tools().tellFiles([](const FileEvents& e) { CallIfSet(e.newParcels); });
    }
    void parcelsLoaded() override {
        main_.tools().tellFiles([](const FileEvents& e) { CallIfSet(e.parcelsLoaded); });
    }
    void clearSelection() override {
        main_.tools().tellFiles([](const FileEvents& e) { CallIfSet(e.clearSelection); });
    }
    void closeCalculation() override {
        main_.tools().tellFiles([](const FileEvents& e) { CallIfSet(e.closeCalculation); });
    }
    bool isSelectionPanelShown() const override { return main_.isSelectionPanelShown(); }
    std::vector<std::string> selectionNames() const override { return main_.tools().selectionNames(); }
    std::vector<int> selectedParcels() const override { return main_.tools().selectedParcels(); }

private:
    XyzStrGrid* grid() const {
        XyzListPanel* panel = main_.xyzListPanel();
        return panel != nullptr ? panel->grid() : nullptr;
    }

    MainWindow& main_;
};

TreeArea::TreeArea(MainWindow& main) : QObject(&main), main_(main) {
    tree_ = new DataTree;
    main.area(Area::DataTree)->setContent(tree_);
    // The tree comes back wide enough for the longest name it shows.
    main.area(Area::DataTree)->setWidthNeed([view = tree_->view()] {
        const int margins = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
        // QTreeView hides the public sizeHintForColumn of the item view; the virtual call reaches it.
        return static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(0) + margins;
    });
    editor_ = new HeaderEditor(&main);
    host_ = std::make_unique<Host>(main);
    commands_ = new FileCommands(main.workspace(), *tree_, *editor_, *host_, &main);
    applyDataFolders();
    // The node selected at the last close comes back when the tree still has that many nodes.
    tree_->selectAbsoluteIndex(main.settings().Exit.SelectedDat);
    connectCommands();
    connectWindow();
}

void TreeArea::applyDataFolders() {
    const Settings::DirKeys& dirs = main_.settings().Dir;
    const std::array<std::string, 3> folders = {dirs.DatDir, dirs.DatDir2, dirs.DatDir3};
    if (foldersShown_ && folders == shownFolders_) {
        return; // an OK that changed other settings must not throw the surveyor back to the first folder
    }
    // The folder in use stays in use while it is still one of the three (the surveyor may have
    // switched to the second or third); otherwise the first takes its place and the tree is read again.
    std::string& inUse = main_.store().names.DatDir;
    int active = 0;
    if (foldersShown_) {
        const int before = tree_->activeFolder();
        const auto same = std::find(folders.begin(), folders.end(), inUse);
        if (before >= 0 && before < 3 && folders[static_cast<size_t>(before)] == inUse) {
            active = before;
        } else if (same != folders.end()) {
            active = static_cast<int>(same - folders.begin());
        }
    }
    const std::string& chosen = folders[static_cast<size_t>(active)];
    const bool rebuild = !foldersShown_ || chosen != inUse;
    shownFolders_ = folders;
    foldersShown_ = true;
    tree_->setDataFolders(folders, active);
    if (rebuild) {
        inUse = chosen;
        commands_->folders().rebuildTree();
    }
}

void TreeArea::connectCommands() {
    CommandSet& set = main_.commands();
    FileCommands* c = commands_;
    set.connect(Cmd::FileNewCase, [c] { c->folders().newCase(); });
    set.connect(Cmd::FileNewXyz, [c] { c->newXyz(true); });
    set.connect(Cmd::FileNewBlk, [c] { c->newBlk(); });
    set.connect(Cmd::FileSave, [c] { c->saveCurrent(); });
    set.connect(Cmd::FileSaveAs, [c] { c->saveAs(); });
    set.connect(Cmd::FileOpenSima, [c] { c->exchange().open(FileKind::Sima); });
    set.connect(Cmd::FileSaveSima, [c] { c->exchange().save(FileKind::Sima); });
    set.connect(Cmd::FileOpenNichoren, [c] { c->exchange().open(FileKind::Nichoren); });
    set.connect(Cmd::FileSaveNichoren, [c] { c->exchange().save(FileKind::Nichoren); });
    set.connect(Cmd::FileOpenRegistryMap, [c] { c->exchange().open(FileKind::RegistryMap); });
    set.connect(Cmd::FileRestoreAutoSave, [c] { c->restore(); });
    set.connect(Cmd::FileForceAutoSave, [c] { c->forceAutoSave(); });
    set.connect(Cmd::TreeOpen, [c] { c->open(); });
    set.connect(Cmd::TreeOpenAdd, [c] { c->openAdd(); });
    set.connect(Cmd::TreeSave, [c] { c->save(); });
    set.connect(Cmd::TreeRename, [c] { c->folders().rename(); });
    set.connect(Cmd::TreeProfile, [c] { c->folders().editProfile(); });
    tree_->setPopupGroups({{set.action(Cmd::FileRestoreAutoSave), set.action(Cmd::FileForceAutoSave)},
                           {set.action(Cmd::FileNewCase), set.action(Cmd::FileNewXyz), set.action(Cmd::FileNewBlk)},
                           {set.action(Cmd::TreeOpen), set.action(Cmd::TreeSave)},
                           {set.action(Cmd::TreeRename), set.action(Cmd::TreeProfile)}});
}

void TreeArea::connectWindow() {
    FileCommands* c = commands_;
    connect(&main_, &MainWindow::firstShown, c, [c](bool restore) { c->firstShow(restore); });
    connect(&main_, &MainWindow::applicationActivated, c, [c] { c->linkFiles().applicationActivated(); });
    connect(&main_, &MainWindow::applicationDeactivated, c, [c] { c->linkFiles().applicationDeactivated(); });
    connect(&main_.autoSaveTimer(), &AutoSaveTimer::fired, c, [c] { c->autoSaveTick(); });
    ToolRegistration tool;
    tool.idle = [this] {
        CommandSet& set = main_.commands();
        set.setEnabled(Cmd::TreeOpen, commands_->canOpen());
        set.setEnabled(Cmd::TreeOpenAdd, commands_->canOpen());
        set.setEnabled(Cmd::TreeSave, commands_->canSave());
    };
    tool.close = [this] { main_.setSelectedTreeNode(tree_->selectedAbsoluteIndex()); };
    main_.tools().add(this, std::move(tool));
    // "新規画地" is offered while the parcel editor is shown by its command.  Parcels are drawn and
    // measured through the name index, so a cell that is not a number is reported as the editor opens
    // rather than at some later lookup.
    connect(&main_, &MainWindow::areaToggled, this, [this](Area area, bool shown) {
        if (area != Area::BlockEdit) {
            return;
        }
        main_.commands().setEnabled(Cmd::FileNewBlk, shown);
        if (shown) {
            RunCommand([this] { main_.store().RebuildNameIndex(); }, &main_);
        }
    });
    // The data folders and the auto-save switch may change in the settings dialog.
    connect(&main_.workspace(), &Workspace::settingsChanged, this, [this] {
        applyDataFolders();
        commands_->autoSaver().setEnabled(main_.settings().Data.AutoSave);
    });
    main_.setSavedState([this] { return commands_->pointsModified() || commands_->parcelsModified(); });
    main_.setAcceptDrops(true);
    main_.installEventFilter(this);
}

// Files dropped anywhere on the main window.
// Closing the window (終了, the close button) asks first when something is unsaved.
bool TreeArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &main_ && event->type() == QEvent::Close && !commands_->confirmClose()) {
        event->ignore();
        return true;
    }
    if (watched == &main_ && event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (watched == &main_ && event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        QStringList files;
        for (const QUrl& url : drop->mimeData()->urls()) {
            if (url.isLocalFile()) {
                files.append(url.toLocalFile());
            }
        }
        drop->acceptProposedAction();
        RunCommand([this, files] { commands_->dropFiles(files); }, &main_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

TreeArea::~TreeArea() = default;

TreeArea* InstallTreeArea(MainWindow& main) {
    auto* area = new TreeArea(main);
    main.setTreeArea(area);
    return area;
}

} // namespace vemo
