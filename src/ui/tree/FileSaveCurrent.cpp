// The save model: what is unsaved, the question before it is lost, 上書き保存 to the open data set and
// 名前を付けて保存 into a site.
#include "ui/tree/FileCommands.h"

#include "core/files/BlkFile.h"
#include "core/files/DataPaths.h"
#include "core/files/XyzFile.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/text/MessagesFiles.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/AutoSaver.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/FileCommandHost.h"

#include <QTreeWidgetItem>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// Rows the coordinate file takes: those with X and Y.
int WrittenPointCount(const XyzList& list) {
    int count = 0;
    for (int r = 1; r < list.RowCount(); ++r) {
        count += !list.Cell(r, kColX).empty() && !list.Cell(r, kColY).empty() ? 1 : 0;
    }
    return count;
}

} // namespace

bool FileCommands::pointsModified() const {
    return store_.history.IsModified(SavedList::Points);
}

bool FileCommands::parcelsModified() const {
    return store_.history.IsModified(SavedList::Parcels);
}

void FileCommands::markSaved(bool points, bool parcels) {
    if (points) {
        store_.history.MarkSaved(SavedList::Points);
    }
    if (parcels) {
        store_.history.MarkSaved(SavedList::Parcels);
    }
}

// A list that changed but holds nothing and came from no file has nothing to lose.
bool FileCommands::confirmLoss(bool points, bool parcels) {
    const bool lostPoints = points && pointsModified() && (store_.xyz.HasData() || !store_.names.XyzName.empty());
    const bool lostParcels =
        parcels && parcelsModified() && (store_.blocks.Count() > 0 || !store_.names.BlkName.empty());
    if (!lostPoints && !lostParcels) {
        return true;
    }
    const auto answer =
        MessageBox::Ask(window_, FromCp932(msg::UnsavedChanges(lostPoints, lostParcels)),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return saveCurrentData();
    }
    return answer == QMessageBox::Discard;
}

bool FileCommands::confirmClose() {
    bool mayClose = false;
    run([this, &mayClose] { mayClose = confirmLoss(true, true); });
    return mayClose;
}

bool FileCommands::saveCurrent() {
    bool saved = false;
    run([this, &saved] { saved = saveCurrentData(); });
    return saved;
}

bool FileCommands::saveAs() {
    bool saved = false;
    run([this, &saved] { saved = saveAsData(); });
    return saved;
}

// The points, and the parcels when there are any, become new data of the site; the header editors ask
// for their names.  True when nothing unsaved is left.
bool FileCommands::saveAsData() {
    written_.clear();
    QTreeWidgetItem* site = siteForSaveAs();
    if (site == nullptr) {
        host_.setAreaShown(FileArea::DataTree, true);
        message(FromCp932(msg::ChooseSiteToSaveIn()));
        return false;
    }
    QTreeWidgetItem* last = saveNewXyz(site, store_.blocks.Count() > 0);
    if (last == nullptr) {
        return false;
    }
    tree_.select(last);
    restoredUnconfirmed_ = false;
    sayWritten(QString());
    return !parcelsModified() || store_.blocks.Count() == 0;
}

// The site of the open data when the tree has it, else the site of the node selected in the tree.
QTreeWidgetItem* FileCommands::siteForSaveAs() const {
    if (QTreeWidgetItem* site = tree_.findSite(store_.names.CaseName); site != nullptr) {
        return site;
    }
    const DataNodePath selected = tree_.selectedPath();
    return selected.level >= 0 ? tree_.findSite(selected.site) : nullptr;
}

QTreeWidgetItem* FileCommands::openXyzNode() const {
    return tree_.findNode(DataNodePath{1, store_.names.CaseName, store_.names.XyzName, {}});
}

// Data brought back from an auto-save go over the data set they belong to only when the surveyor says
// so, once.
bool FileCommands::confirmRestoredTarget() {
    if (!restoredUnconfirmed_) {
        return true;
    }
    if (!ask(FromCp932(msg::OverwriteWithRestored(store_.names.CaseName + " - " + store_.names.XyzName)))) {
        return false;
    }
    restoredUnconfirmed_ = false;
    return true;
}

// 上書き保存: the coordinate file of the open data set when the points changed (or the file is
// missing), the parcel file when the parcels changed; parcels that have no file yet become new parcel
// data of the open coordinates.  Nothing changed: nothing is written, and the status bar says so.
bool FileCommands::saveCurrentData() {
    written_.clear();
    const std::string& site = store_.names.CaseName;
    const std::string& xyz = store_.names.XyzName;
    std::error_code ec;
    // Data of no data set, or of a site chosen since (a double click on a site), become new data.
    if (site.empty() || xyz.empty() || !fs::is_directory(CoordinateFolder(datDir(), site, xyz), ec)) {
        return saveAsData();
    }
    const fs::path xyzFile = XyzFilePath(datDir(), site, xyz);
    const bool points = pointsModified() || !fs::exists(xyzFile, ec);
    const bool parcels = parcelsModified() && (store_.blocks.Count() > 0 || !store_.names.BlkName.empty());
    if (!points && !parcels) {
        markSaved(false, true);
        host_.setStatusText(FromCp932(msg::NoChanges(CaptionText(store_.names))));
        return true;
    }
    if (!confirmRestoredTarget()) {
        return false;
    }
    if (points) {
        BusyCursor busy;
        WriteXyzFile(xyzFile, store_.xyz, settings_.Data.Backup);
        markSaved(true, false);
        written_.append(writtenPointsText(xyz));
        if (QTreeWidgetItem* node = openXyzNode()) {
            tree_.setNodeIcon(node, DataIcon::Coordinates);
        }
    }
    bool saved = true;
    if (parcels && !store_.names.BlkName.empty()) {
        writeOpenParcels(site, xyz, settings_.Data.Backup);
    } else if (parcels) {
        QTreeWidgetItem* node = openXyzNode();
        saved = node != nullptr && saveNewBlk(node) != nullptr;
    }
    // The data set just written names the caption again (a site alone may have been shown).
    workspace_.setDataNames(site, xyz, store_.names.BlkName);
    sayWritten(QString());
    return saved;
}

// Writes the parcels to the open parcel file.
void FileCommands::writeOpenParcels(const std::string& site, const std::string& xyz, bool backup) {
    const std::string& blk = store_.names.BlkName;
    {
        BusyCursor busy;
        WriteBlkFile(BlkFilePath(datDir(), site, xyz, blk), store_.blocks, backup);
    }
    markSaved(false, true);
    written_.append(FromCp932(msg::ParcelsIn(blk + kBlkExtension, store_.blocks.Count())));
}

// Says in the status bar what the command wrote ("境界点.Xyz に 21 点を保存しました"), after `prefix`.
// The auto-save then records the data as saved.
void FileCommands::sayWritten(const QString& prefix) {
    if (written_.isEmpty()) {
        return;
    }
    host_.setStatusText(prefix + FromCp932(msg::Saved(ToCp932OrThrow(written_.join(FromCp932(msg::ListSeparator()))))));
    written_.clear();
    autoSaver_->changed();
}

// Coordinates written to a file of the tree: their number for the status bar.
QString FileCommands::writtenPointsText(const std::string& xyz) const {
    return FromCp932(msg::PointsIn(xyz + kXyzExtension, WrittenPointCount(store_.xyz)));
}

} // namespace vemo
