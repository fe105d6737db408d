// The data tree commands: new site folder, new coordinates, new parcels, rename, profile, double click
// and the choice of data folder.
#include "ui/tree/FileCommands.h"

#include "core/files/DataPaths.h"
#include "core/files/Profile.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/tree/AutoSaver.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/HeaderEditor.h"

#include <QTreeWidgetItem>

#include <ctime>
#include <exception>

namespace vemo {
namespace fs = std::filesystem;

namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// The profile file of a node: "Case.Pro" in a site folder, "Xyz.Pro" in a coordinate folder,
// "Blk.Pro" in a parcel folder.
fs::path ProfilePath(const fs::path& datDir, const DataNodePath& path) {
    switch (path.level) {
    case 0:
        return SiteFolder(datDir, path.site) / ProfileFileName(0);
    case 1:
        return CoordinateFolder(datDir, path.site, path.xyz) / ProfileFileName(1);
    default:
        return ParcelFolder(datDir, path.site, path.xyz, path.blk) / ProfileFileName(2);
    }
}

} // namespace

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

FileCommands::FileCommands(Store& store, Settings& settings, DataTree& tree, HeaderEditor& editor,
                           FileCommandHost& host, QWidget* window)
    : QObject(window), store_(store), settings_(settings), tree_(tree), editor_(editor), host_(host), window_(window) {
    connect(&tree_, &DataTree::nodeDoubleClicked, this, [this](QTreeWidgetItem* item) { nodeDoubleClicked(item); });
    connect(&tree_, &DataTree::dataFolderChosen, this,
            [this](int, const std::string& folder) { switchDataFolder(folder); });
    autoSaver_ = new AutoSaver([this] { return autoSaveSnapshot(); }, [this] { return exeDir(); }, this);
    autoSaver_->setEnabled(settings_.Data.AutoSave);
    connect(autoSaver_, &AutoSaver::written, this, [this](const QString& error) { autoSaveWritten(error); });
    watch_ = std::make_unique<ChangeWatch>(store_, *autoSaver_);
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

bool FileCommands::runInBackground(BackgroundWrite which, const QString& prefix, const std::function<void()>& write) {
    QString error;
    try {
        write();
    } catch (const std::exception& failure) {
        error = FromCp932(failure.what());
    }
    reportBackground(which, prefix, error);
    return error.isEmpty();
}

void FileCommands::reportBackground(BackgroundWrite which, const QString& prefix, const QString& error) {
    bool& failing = backgroundFailing_[static_cast<size_t>(which)];
    if (!error.isEmpty()) {
        if (!failing) {
            host_.setStatusText(prefix + error);
        }
        failing = true;
        return;
    }
    if (failing) {
        host_.setStatusText(QString());
    }
    failing = false;
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

// The node selected before stays selected when it is still there (the settings dialog's OK rebuilds
// the tree, and the surveyor's place in it must not be lost).
void FileCommands::rebuildTree() {
    run([this] {
        const DataNodePath selected = tree_.selectedPath();
        tree_.rebuild(datDir());
        if (QTreeWidgetItem* node = tree_.findNode(selected)) {
            tree_.select(node);
        }
    });
}

void FileCommands::switchDataFolder(const std::string& cp932Folder) {
    store_.names.DatDir = cp932Folder;
    rebuildTree();
}

// The site is shown in the caption; the coordinate and parcel names stay as they are for saving.
void FileCommands::showSiteCaption() {
    CurrentNames shown = store_.names;
    shown.XyzName.clear();
    shown.BlkName.clear();
    host_.setCaption(FromCp932(CaptionText(shown)));
}

// The header editor asks for the profile of new data; the first value names the folder.  A folder
// that cannot be made (the name exists or is not a valid name) is reported and the editor comes back
// with what was typed.  The folder is made with its profile in it.
std::optional<FileCommands::NewFolder> FileCommands::askNewFolder(const QString& caption,
                                                                  const std::vector<std::string>& labels,
                                                                  const fs::path& parent, int level) {
    editor_.prepareForEditing(caption);
    editor_.setText(FromCp932(ProfileTemplate(labels)));
    editor_.setCaret(static_cast<int>(FromCp932(labels.front()).size()) + 2);
    while (editor_.run()) {
        NewFolder folder;
        folder.profile = ToCp932OrThrow(editor_.text());
        folder.name = NameFromProfile(folder.profile, labels.front(), LocalNow());
        if (CreateFolderWithProfile(parent, folder.name, level, folder.profile)) {
            return folder;
        }
        MessageBox::ShowCp932(window_, DuplicateFolderMessage(labels.front(), folder.name), MessageBox::Kind::Warning);
    }
    return std::nullopt;
}

void FileCommands::newCase() {
    run([this] {
        host_.setAreaShown(FileArea::DataTree, true);
        const std::vector<std::string> labels(settings_.Head.Case.begin(), settings_.Head.Case.end());
        const auto folder = askNewFolder(QStringLiteral("新規現場"), labels, datDir(), 0);
        if (!folder) {
            return;
        }
        tree_.select(tree_.addSite(folder->name));
        store_.names.CaseName = folder->name;
        showSiteCaption();
    });
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
        store_.names.BlkName.clear();
        host_.updateCaption();
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
    store_.names.XyzName.clear();
    store_.names.BlkName.clear();
    host_.updateCaption();

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

void FileCommands::rename() {
    tree_.startRename();
}

void FileCommands::editProfile() {
    run([this] {
        QTreeWidgetItem* node = tree_.selectedItem();
        if (node == nullptr) {
            return;
        }
        const fs::path file = ProfilePath(datDir(), DataTree::PathOf(node));
        const std::optional<std::string> bytes = ReadProfileFile(file);
        if (!bytes) {
            message(QStringLiteral("Profile File が見つかりません"));
            return;
        }
        QString text = FromCp932(*bytes);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        editor_.prepareForEditing(QStringLiteral("Edit Profile [ ") + FromCp932(DataTree::NameOf(node)) +
                                  QStringLiteral(" ]"));
        editor_.setText(text);
        editor_.setCaret(0);
        // Nothing is written unless the surveyor changed something: the file keeps its bytes.
        if (editor_.run() && editor_.text() != text) {
            WriteProfileFile(file, ToCp932OrThrow(editor_.text()));
        }
    });
}

void FileCommands::nodeDoubleClicked(QTreeWidgetItem* item) {
    const int level = DataTree::LevelOf(item);
    if (level == 0) {
        store_.names.CaseName = DataTree::NameOf(item);
        showSiteCaption();
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
