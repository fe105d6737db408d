// Saving native data at the selected tree node: new coordinate data in a site, over coordinate data,
// over parcel data, and new parcel data beside saved coordinates.
#include "ui/tree/FileCommands.h"

#include "core/files/BlkFile.h"
#include "core/files/DataFolders.h"
#include "core/files/DataPaths.h"
#include "core/files/Profile.h"
#include "core/files/XyzFile.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/text/MessagesFiles.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/FolderCommands.h"

#include <QTreeWidgetItem>

namespace vemo {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Labels(const auto& array) {
    return std::vector<std::string>(array.begin(), array.end());
}

} // namespace

void FileCommands::save() {
    run([this] {
        written_.clear();
        QTreeWidgetItem* node = tree_.selectedItem();
        switch (DataTree::levelOf(node)) {
        case 0:
            if (QTreeWidgetItem* last =
                    saveNewXyz(node, host_.isAreaShown(FileArea::BlockEdit) && store_.blocks.Count() > 0)) {
                finishSave(last);
            }
            break;
        case 1: {
            const bool openData = store_.names.CaseName == DataTree::nameOf(node->parent()) &&
                                  store_.names.XyzName == DataTree::nameOf(node);
            if (saveXyzOver(node, true)) {
                QTreeWidgetItem* added = nullptr;
                if (host_.isAreaShown(FileArea::BlockEdit) && store_.blocks.Count() > 0) {
                    // The parcels opened with these coordinates go back to their own file; only parcels
                    // without a file become new parcel data.
                    if (openData && !store_.names.BlkName.empty()) {
                        writeOpenParcels(store_.names.CaseName, store_.names.XyzName, settings_.Data.Backup);
                        added = tree_.findNode(
                            DataNodePath{2, store_.names.CaseName, store_.names.XyzName, store_.names.BlkName});
                    } else {
                        added = saveNewBlk(node);
                    }
                }
                finishSave(added != nullptr ? added : node);
            }
            break;
        }
        case 2:
            saveParcelsOver(node);
            break;
        default:
            break;
        }
    });
}

// Level 0: the list becomes new coordinate data of the site, named by its profile, and with
// `withParcels` the parcels new parcel data of it.  The last node added, nullptr when cancelled.
QTreeWidgetItem* FileCommands::saveNewXyz(QTreeWidgetItem* site, bool withParcels) {
    const std::string siteName = DataTree::nameOf(site);
    const auto folder = folders_->askNewFolder(QStringLiteral("新規座標"), Labels(settings_.Head.Xyz),
                                               SiteFolder(datDir(), siteName), 1, store_.names.Source);
    if (!folder) {
        return nullptr;
    }
    {
        BusyCursor busy;
        WriteXyzFile(XyzFilePath(datDir(), siteName, folder->name), store_.xyz);
    }
    // The node is added once its data file exists, so that it never shows data that is not there.
    QTreeWidgetItem* node = tree_.addChild(site, folder->name);
    site->setExpanded(true);
    // The parcels of other data are not these coordinates' parcels.
    workspace_.setDataNames(siteName, folder->name, {});
    markSaved(true, false);
    written_.append(writtenPointsText(folder->name));
    QTreeWidgetItem* last = node;
    if (withParcels) {
        if (QTreeWidgetItem* blk = saveNewBlk(node)) {
            last = blk;
        }
    }
    return last;
}

// Overwrites the coordinate data of a level-1 node (or the parent of a level-2 node), keeping the old
// file as ".Bak" when Backup is on.  False when the surveyor declined.
bool FileCommands::saveXyzOver(QTreeWidgetItem* xyzNode, bool askOverwrite) {
    if (askOverwrite && !ask(FromCp932(msg::OverwritePoints()))) {
        return false;
    }
    const std::string site = DataTree::nameOf(xyzNode->parent());
    const std::string xyz = DataTree::nameOf(xyzNode);
    if (SaveNamesDiffer(store_.names.CaseName, store_.names.XyzName, site, xyz) &&
        !askYesNo(FromCp932(msg::DataNamesDiffer()))) {
        return false;
    }
    workspace_.setDataNames(site, xyz, store_.names.BlkName);
    {
        BusyCursor busy;
        WriteXyzFile(XyzFilePath(datDir(), site, xyz), store_.xyz, settings_.Data.Backup);
    }
    markSaved(true, false);
    written_.append(writtenPointsText(xyz));
    tree_.setNodeIcon(xyzNode, DataIcon::Coordinates);
    return true;
}

// Level 2: the coordinates of the parent node and then the parcels of this node.  Declining the
// coordinate overwrite only keeps the coordinate file as it is: the parcels are still asked for, so
// that parcels can be saved without touching the coordinates.
void FileCommands::saveParcelsOver(QTreeWidgetItem* blkNode) {
    if (store_.blocks.Count() == 0) {
        message(FromCp932(msg::NoParcelsToSave()));
        return;
    }
    QTreeWidgetItem* xyzNode = blkNode->parent();
    if (ask(FromCp932(msg::OverwritePoints())) && !saveXyzOver(xyzNode, false)) {
        return;
    }
    if (!ask(FromCp932(msg::OverwriteParcels()))) {
        return;
    }
    const std::string blk = DataTree::nameOf(blkNode);
    if (SaveParcelNameDiffers(store_.names.BlkName, blk) && !askYesNo(FromCp932(msg::DataNamesDiffer()))) {
        return;
    }
    workspace_.setDataNames(store_.names.CaseName, store_.names.XyzName, blk);
    writeOpenParcels(DataTree::nameOf(xyzNode->parent()), DataTree::nameOf(xyzNode), settings_.Data.Backup);
    tree_.setNodeIcon(blkNode, DataIcon::Parcels);
    finishSave(blkNode);
}

// The parcels become new parcel data of saved coordinate data.  The node, or nullptr when the header
// editor was cancelled.
QTreeWidgetItem* FileCommands::saveNewBlk(QTreeWidgetItem* xyzNode) {
    const std::string site = DataTree::nameOf(xyzNode->parent());
    const std::string xyz = DataTree::nameOf(xyzNode);
    const auto folder = folders_->askNewFolder(QStringLiteral("新規画地"), Labels(settings_.Head.Blk),
                                               CoordinateFolder(datDir(), site, xyz), 2, store_.names.Source);
    if (!folder) {
        return nullptr;
    }
    {
        BusyCursor busy;
        WriteBlkFile(BlkFilePath(datDir(), site, xyz, folder->name), store_.blocks);
    }
    QTreeWidgetItem* node = tree_.addChild(xyzNode, folder->name);
    xyzNode->setExpanded(true);
    workspace_.setDataNames(store_.names.CaseName, store_.names.XyzName, folder->name);
    markSaved(false, true);
    written_.append(FromCp932(msg::ParcelsIn(folder->name + kBlkExtension, store_.blocks.Count())));
    return node;
}

void FileCommands::finishSave(QTreeWidgetItem* node) {
    tree_.select(node);
    host_.toggleArea(FileArea::DataTree);
    restoredUnconfirmed_ = false;
    sayWritten(FromCp932(msg::SaveDone()));
}

} // namespace vemo
