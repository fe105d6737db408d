// The data tree's folders: the tree read from the data folder, new sites, renaming, profiles, the site
// chosen by a double click and the choice among the data folders.
#include "ui/tree/FolderCommands.h"

#include "core/files/DataPaths.h"
#include "core/files/DataSource.h"
#include "core/files/Profile.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/text/MessagesFiles.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/HeaderEditor.h"

#include <QTreeWidgetItem>

#include <ctime>

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

FolderCommands::FolderCommands(Workspace& workspace, DataTree& tree, HeaderEditor& editor, FileCommandHost& host,
                               QWidget* window)
    : workspace_(workspace), tree_(tree), editor_(editor), host_(host), window_(window) {}

fs::path FolderCommands::dataFolder() const {
    return fs::path(PathFromCp932(workspace_.store().names.DatDir));
}

// The node selected before stays selected when it is still there (the settings dialog's OK rebuilds
// the tree, and the surveyor's place in it must not be lost).
void FolderCommands::rebuildTree() {
    RunCommand(
        [this] {
            const DataNodePath selected = tree_.selectedPath();
            tree_.rebuild(dataFolder());
            if (QTreeWidgetItem* node = tree_.findNode(selected)) {
                tree_.select(node);
            }
        },
        window_);
}

void FolderCommands::switchDataFolder(const std::string& cp932Folder) {
    workspace_.store().names.DatDir = cp932Folder;
    rebuildTree();
}

// The site is shown in the caption; the coordinate and parcel names stay as they are for saving.
void FolderCommands::showSiteCaption() {
    CurrentNames shown = workspace_.store().names;
    shown.XyzName.clear();
    shown.BlkName.clear();
    host_.setCaption(FromCp932(CaptionText(shown)));
}

// The header editor asks for the profile of new data; the first value names the folder.  A folder
// that cannot be made (the name exists or is not a valid name) is reported and the editor comes back
// with what was typed.  The folder is made with its profile in it.
std::optional<FolderCommands::NewFolder> FolderCommands::askNewFolder(const QString& caption,
                                                                      const std::vector<std::string>& labels,
                                                                      const fs::path& parent, int level,
                                                                      std::string_view source) {
    editor_.prepareForEditing(caption);
    // A first-time user cannot guess that the first line names the new folder: say so.
    editor_.setHint(
        QStringLiteral("1行目「%1」に入れた名前が、%2の名前になります（空のときは日時）")
            .arg(FromCp932(labels.front()), level == 0 ? QStringLiteral("現場フォルダ") : QStringLiteral("データ")));
    // Data from a published source carry it into their profile, where it stays with them.
    editor_.setText(FromCp932(ProfileWithSource(ProfileTemplate(labels), source)));
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

void FolderCommands::newCase() {
    RunCommand(
        [this] {
            host_.setAreaShown(FileArea::DataTree, true);
            const auto& head = workspace_.settings().Head.Case;
            const std::vector<std::string> labels(head.begin(), head.end());
            const auto folder = askNewFolder(QStringLiteral("新規現場"), labels, dataFolder(), 0);
            if (!folder) {
                return;
            }
            tree_.select(tree_.addSite(folder->name));
            const CurrentNames& names = workspace_.store().names;
            workspace_.setDataNames(folder->name, names.XyzName, names.BlkName);
            showSiteCaption();
        },
        window_);
}

void FolderCommands::rename() {
    tree_.startRename();
}

void FolderCommands::editProfile() {
    RunCommand(
        [this] {
            QTreeWidgetItem* node = tree_.selectedItem();
            if (node == nullptr) {
                return;
            }
            const fs::path file = ProfilePath(dataFolder(), DataTree::pathOf(node));
            const std::optional<std::string> bytes = ReadProfileFile(file);
            if (!bytes) {
                MessageBox::Show(window_, FromCp932(msg::ProfileMissing()));
                return;
            }
            QString text = FromCp932(*bytes);
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            editor_.prepareForEditing(QStringLiteral("Edit Profile [ ") + FromCp932(DataTree::nameOf(node)) +
                                      QStringLiteral(" ]"));
            editor_.setText(text);
            editor_.setCaret(0);
            // Nothing is written unless the surveyor changed something: the file keeps its bytes.
            if (editor_.run() && editor_.text() != text) {
                WriteProfileFile(file, ToCp932OrThrow(editor_.text()));
            }
        },
        window_);
}

void FolderCommands::chooseSite(QTreeWidgetItem* site) {
    const CurrentNames& names = workspace_.store().names;
    workspace_.setDataNames(DataTree::nameOf(site), names.XyzName, names.BlkName);
    showSiteCaption();
}

} // namespace vemo
