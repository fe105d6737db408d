// The data tree's in-place rename and its pop-up menu.
#include "core/files/DataFolders.h"
#include "core/files/DataPaths.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/tree/DataTree.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

namespace vemo {
namespace {

constexpr int kNameRole = Qt::UserRole;

QString RenameFailedText() {
    return FromCp932(msg::FolderNameTaken());
}

// The folder that holds the node's folder: the root for a site, the site for coordinate data, the
// coordinate folder for parcel data.
std::filesystem::path ParentFolder(const std::filesystem::path& datDir, const DataNodePath& path) {
    switch (path.level) {
    case 0:
        return datDir;
    case 1:
        return SiteFolder(datDir, path.site);
    default:
        return CoordinateFolder(datDir, path.site, path.xyz);
    }
}

} // namespace

void DataTree::startRename() {
    if (QTreeWidgetItem* item = selectedItem()) {
        tree_->editItem(item, 0);
    }
}

bool DataTree::renameNode(QTreeWidgetItem* item, const std::string& newName) {
    const DataNodePath path = pathOf(item);
    const std::string oldName = nameOf(item);
    bool renamed = false;
    try {
        RenameDataNode(ParentFolder(datDir_, path), path.level, oldName, newName);
        renamed = true;
    } catch (const Error&) {
        // The core puts folder and file back as they were; only the message is left to show.
    }
    const std::string& kept = renamed ? newName : oldName;
    {
        const QSignalBlocker quiet(tree_);
        item->setText(0, FromCp932(kept));
        item->setData(0, kNameRole, QByteArray(kept.data(), static_cast<qsizetype>(kept.size())));
    }
    if (!renamed) {
        MessageBox::Show(this, RenameFailedText(), MessageBox::Kind::Warning);
    }
    return renamed;
}

void DataTree::onItemChanged(QTreeWidgetItem* item, int column) {
    if (column != 0) {
        return;
    }
    // A character without a CP932 form cannot name a folder of the system: the empty name is refused.
    const std::string newName = ToCp932(item->text(0)).value_or(std::string());
    if (newName == nameOf(item) && !newName.empty()) {
        return;
    }
    renameNode(item, newName);
}

void DataTree::setDataFolders(const std::array<std::string, 3>& folders, int active) {
    folders_ = folders;
    for (size_t i = 0; i < folders_.size(); ++i) {
        folderActions_[i]->setText(FromCp932(folders_[i]));
    }
    setActiveFolder(active);
}

void DataTree::setActiveFolder(int index) {
    activeFolder_ = index;
    for (size_t i = 0; i < folderActions_.size(); ++i) {
        folderActions_[i]->setChecked(static_cast<int>(i) == index);
    }
}

void DataTree::chooseFolder(int index) {
    const std::string folder = folders_[static_cast<size_t>(index)];
    if (folder.empty()) {
        // An entry without a folder does nothing, not even move the mark.
        setActiveFolder(activeFolder_);
        return;
    }
    setActiveFolder(index);
    emit dataFolderChosen(index, folder);
}

void DataTree::setPopupGroups(std::vector<std::vector<QAction*>> groups) {
    groups_ = std::move(groups);
    rebuildMenu();
}

void DataTree::rebuildMenu() {
    menu_->clear();
    for (QAction* action : folderActions_) {
        menu_->addAction(action);
    }
    for (const auto& group : groups_) {
        menu_->addSeparator();
        for (QAction* action : group) {
            menu_->addAction(action);
        }
    }
}

} // namespace vemo
