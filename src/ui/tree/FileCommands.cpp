// New coordinates and parcels, the double click on a node, the helpers of every file command.
#include "ui/tree/FileCommands.h"

#include "core/files/DataPaths.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/AutoSaver.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/ExchangeCommands.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/FolderCommands.h"
#include "ui/tree/HeaderEditor.h"
#include "ui/tree/LinkFileCommands.h"

#include <QTreeWidgetItem>

#include <exception>

namespace vemo {
namespace fs = std::filesystem;

// Every change of either list makes an auto-save due.
class FileCommands::ChangeWatch : public XyzListObserver, public BlockListObserver {
public:
    ChangeWatch(Store& store, AutoSaver& saver) : store_(store), saver_(saver) {
        store_.xyz.AddObserver(this);
        store_.blocks.AddObserver(this);
    }
    ~ChangeWatch() override {
        store_.xyz.RemoveObserver(this);
        store_.blocks.RemoveObserver(this);
    }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    void CellsChanged(int, int, int, int) override { saver_.changed(); }
    void RowsInserted(int, int) override { saver_.changed(); }
    void RowsRemoved(int, int) override { saver_.changed(); }
    void Reset() override { saver_.changed(); }
    void BlockAdded(int) override { saver_.changed(); }
    void BlockReplaced(int) override { saver_.changed(); }
    void BlockRemoved(int) override { saver_.changed(); }
    void BlocksReset() override { saver_.changed(); }

private:
    Store& store_;
    AutoSaver& saver_;
};

FileCommands::FileCommands(Workspace& workspace, DataTree& tree, HeaderEditor& editor, FileCommandHost& host,
                           QWidget* window)
    : QObject(window), workspace_(workspace), store_(workspace.store()), settings_(workspace.settings()), tree_(tree),
      editor_(editor), host_(host), window_(window), autoSaveStatus_(host, true, window) {
    connect(&tree_, &DataTree::nodeDoubleClicked, this, [this](QTreeWidgetItem* item) { nodeDoubleClicked(item); });
    autoSaver_ = new AutoSaver([this] { return autoSaveSnapshot(); }, [this] { return exeDir(); }, this);
    autoSaver_->setEnabled(settings_.Data.AutoSave);
    connect(autoSaver_, &AutoSaver::written, this, [this](const QString& error) { autoSaveWritten(error); });
    watch_ = std::make_unique<ChangeWatch>(store_, *autoSaver_);
    folders_ = std::make_unique<FolderCommands>(workspace_, tree_, editor_, host_, window_);
    connect(&tree_, &DataTree::dataFolderChosen, this,
            [this](int, const std::string& folder) { folders_->switchDataFolder(folder); });
    exchange_ = std::make_unique<ExchangeCommands>(workspace_, host_, window_, [this] { return newXyz(false); });
    linkFiles_ = std::make_unique<LinkFileCommands>(workspace_, host_, window_);
}

// A write still running is waited for, without telling the status bar, which may be gone already.
FileCommands::~FileCommands() {
    watch_.reset();
    autoSaver_->disconnect(this);
    autoSaver_->waitForWrite();
}

fs::path FileCommands::exeDir() const {
    return fs::path(PathFromCp932(store_.names.ExeDir));
}

fs::path FileCommands::datDir() const {
    return fs::path(PathFromCp932(store_.names.DatDir));
}

fs::path FileCommands::tmpDir() const {
    return fs::path(PathFromCp932(store_.names.TmpDir));
}

bool FileCommands::run(const std::function<void()>& command) {
    return RunCommand(command, window_);
}

bool FileCommands::ask(const QString& text) {
    return MessageBox::Ask(window_, text) == QMessageBox::Ok;
}

bool FileCommands::askYesNo(const QString& text) {
    return MessageBox::Ask(window_, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void FileCommands::message(const QString& text) {
    MessageBox::Show(window_, text);
}

// New parcels leave the parcel file they came from: a later 上書き保存 must not write the empty list
// over it.
bool FileCommands::newBlk() {
    if (!confirmLoss(false, true)) {
        return false;
    }
    host_.resetParcelEditor();
    store_.blocks.Clear();
    if (!store_.names.BlkName.empty()) {
        workspace_.setDataNames(store_.names.CaseName, store_.names.XyzName, {});
    }
    markSaved(false, true);
    if (host_.isAreaShown(FileArea::Plot)) {
        host_.redrawPlot();
    }
    return true;
}

bool FileCommands::newXyz(bool byUser) {
    if (!confirmLoss(true, true)) {
        return false;
    }
    const bool hadData = store_.xyz.HasData();
    host_.resetParcelEditor();
    store_.blocks.Clear();
    if (host_.isAreaShown(FileArea::Plot)) {
        host_.redrawPlot();
    }
    host_.clearSelection();
    if (hadData) {
        host_.closeCalculation();
    }
    store_.xyz.Clear();
    store_.history.Clear(); // new coordinates: nothing before them to go back to
    markSaved(true, true);  // and nothing in them to lose
    restoredUnconfirmed_ = false;
    workspace_.setDataNames(store_.names.CaseName, {}, {});

    host_.setAreaShown(FileArea::Plot, false);
    host_.coordinatesLoaded();
    if (byUser) {
        host_.toggleArea(FileArea::Plot);
    }
    host_.setAreaShown(FileArea::BlockEdit, false);
    host_.setAreaShown(FileArea::DataTree, false);
    host_.setAreaShown(FileArea::XyzList, true);
    host_.enableDataCommands();
    host_.focusGrid();
    return true;
}

void FileCommands::nodeDoubleClicked(QTreeWidgetItem* item) {
    const int level = DataTree::levelOf(item);
    if (level == 0) {
        folders_->chooseSite(item);
    } else if (level > 0) {
        tree_.select(item);
        open();
    }
}

bool FileCommands::canOpen() const {
    return tree_.selectedPath().level > 0;
}

bool FileCommands::canSave() const {
    const int level = tree_.selectedPath().level;
    return level >= 0 && host_.dataCommandsEnabled() && (level < 2 || host_.isAreaShown(FileArea::BlockEdit));
}

} // namespace vemo
