// Opening native data: the selected tree node, in addition, the auto-save files, a file named on the
// command line or dropped; the forced auto-save.
#include "ui/tree/FileCommands.h"

#include "core/files/AutoSave.h"
#include "core/files/BlkFile.h"
#include "core/files/DataPaths.h"
#include "core/files/FileFormat.h"
#include "core/files/XyzFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/text/Bytes.h"
#include "core/text/Messages.h"
#include "core/text/MessagesFiles.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/AutoSaver.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/ExchangeCommands.h"
#include "ui/tree/FileCommandHost.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTreeWidgetItem>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// The time the auto-save file was written, as the surveyor reads a date.
QString AutoSaveTime(const fs::path& file) {
    const QDateTime written = QFileInfo(PathText(file)).lastModified();
    return written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

// The formats opened by name (a ".sim" file as SIMA, a ".Xyz" file as native coordinates, any case);
// anything else is ignored.
const FileFormat* OpenedByName(const fs::path& file) {
    const FileFormat* format = FormatFromExtension(file);
    return format != nullptr && format->opensByName ? format : nullptr;
}

// ".xyz .sim .xml .zip": the extensions a dropped file may have, for the refusal of one that has none of them.
std::string ExtensionsOpenedByName() {
    std::string list;
    for (const FileFormat& format : FileFormats()) {
        if (!format.opensByName) {
            continue;
        }
        for (std::string_view extension : {format.extension, format.otherExtension}) {
            if (!extension.empty()) {
                list += (list.empty() ? "" : " ") + std::string(extension);
            }
        }
    }
    return list;
}

} // namespace

void FileCommands::open() {
    run([this] { openAs(OpenMode::Normal); });
}

void FileCommands::openAdd() {
    run([this] { openAs(OpenMode::Append); });
}

void FileCommands::restore() {
    run([this] {
        std::error_code ec;
        if (!fs::is_regular_file(exeDir() / kAutoXyzFileName, ec)) {
            message(FromCp932(msg::NoRestoreData()));
            return;
        }
        openAs(OpenMode::Restore);
    });
}

bool FileCommands::openAs(OpenMode mode, const std::string& outsideFile) {
    OpenTarget target;
    if (mode == OpenMode::Restore) {
        target.restoreLevel = AutoSaveRestoreLevel(exeDir());
    }
    // A data file that is not there is said before anything is asked or given up.
    if (mode == OpenMode::Normal || mode == OpenMode::Append) {
        const DataNodePath node = tree_.selectedPath();
        std::error_code ec;
        if (node.level >= 1 && !fs::is_regular_file(XyzFilePath(datDir(), node.site, node.xyz), ec)) {
            message(FromCp932(msg::FileOpenError()));
            return false;
        }
    }
    if (mode != OpenMode::Append && !newXyz(false)) {
        return false;
    }
    // The data set the open leaves named (the added one in addition), for the caption and 上書き保存.
    DataNodePath names;
    if (mode == OpenMode::Append) {
        names = {0, store_.names.CaseName, store_.names.XyzName, store_.names.BlkName};
    }
    if (mode == OpenMode::Normal || mode == OpenMode::Append) {
        const DataNodePath node = tree_.selectedPath();
        target.nodeLevel = node.level;
        if (node.level >= 1) {
            names.site = node.site;
            names.xyz = node.xyz;
        }
        if (node.level == 2) {
            names.blk = node.blk;
        }
        if (mode == OpenMode::Normal && node.level == 1) {
            if (std::optional<std::string> blk = offerParcelsOf(node)) {
                target.nodeLevel = 2;
                names.blk = std::move(*blk);
            }
        }
    }
    workspace_.setDataNames(std::move(names.site), std::move(names.xyz), std::move(names.blk));
    if (!openCoordinates(mode, target, outsideFile)) {
        return false;
    }
    if (mode == OpenMode::Outside) {
        host_.setCaption(FromCp932(outsideFile) + QStringLiteral("[Vemo]"));
        store_.names.ParamFile.clear();
        store_.history.Clear();
        markSaved(true, true);
        return true;
    }
    const bool withParcels = (target.nodeLevel == 2 && mode != OpenMode::Restore) || target.restoreLevel == 2;
    if (withParcels) {
        openParcels(mode, target);
    }
    // Undo works within one file: another file starts a new history; 開く（追加） can be undone.  What
    // was opened is what the files hold; what was added to it is not.
    if (mode != OpenMode::Append) {
        store_.history.Clear();
        markSaved(true, true);
    }
    if (mode == OpenMode::Restore) {
        tieRestoredData(target.restoreLevel);
    }
    return true;
}

// Coordinate data whose folder holds exactly one parcel file: the surveyor reopening a site would
// otherwise see no parcels until opening that node.  Asked after the unsaved-changes question, so that
// nothing is given up unasked; yes opens the parcels as their own node does (and selects it).
std::optional<std::string> FileCommands::offerParcelsOf(const DataNodePath& node) {
    if (store_.blocks.Count() > 0) {
        return std::nullopt;
    }
    QTreeWidgetItem* parcelNode = nullptr;
    if (QTreeWidgetItem* xyzNode = tree_.findNode(node)) {
        for (int i = 0; i < xyzNode->childCount(); ++i) {
            if (DataTree::iconOf(xyzNode->child(i)) != DataIcon::Parcels) {
                continue;
            }
            if (parcelNode != nullptr) {
                return std::nullopt;
            }
            parcelNode = xyzNode->child(i);
        }
    }
    if (parcelNode == nullptr) {
        return std::nullopt;
    }
    std::string blk = DataTree::nameOf(parcelNode);
    if (!askYesNo(FromCp932(msg::OpenParcelsToo(blk)))) {
        return std::nullopt;
    }
    tree_.select(parcelNode);
    return blk;
}

// Reads the coordinate file of the open; false (after the message) when there is none.
bool FileCommands::openCoordinates(OpenMode mode, const OpenTarget& target, const std::string& outsideFile) {
    fs::path file;
    if (mode == OpenMode::Restore) {
        file = exeDir() / kAutoXyzFileName;
    } else if (mode == OpenMode::Outside) {
        file = fs::path(PathFromCp932(outsideFile));
    } else {
        file = XyzFilePath(datDir(), store_.names.CaseName, store_.names.XyzName);
    }
    if (mode == OpenMode::Append) {
        host_.toggleArea(FileArea::DataTree);
    }
    bool read = false;
    {
        BusyCursor busy;
        read = ReadXyzFile(file, store_.xyz, mode == OpenMode::Append ? XyzReadMode::Append : XyzReadMode::Replace);
    }
    if (!read) {
        message(FromCp932(msg::FileOpenError()));
        return false;
    }
    host_.coordinatesLoaded();
    const bool fitNow =
        (target.nodeLevel == 1 && mode != OpenMode::Restore) || target.restoreLevel == 1 || mode == OpenMode::Outside;
    if (fitNow && !host_.isAreaShown(FileArea::Plot)) {
        host_.toggleArea(FileArea::Plot);
    }
    return true;
}

void FileCommands::openParcels(OpenMode mode, const OpenTarget& target) {
    const fs::path file = target.restoreLevel == 2 ? exeDir() / kAutoBlkFileName
                                                   : BlkFilePath(datDir(), store_.names.CaseName, store_.names.XyzName,
                                                                 store_.names.BlkName);
    bool read = false;
    {
        BusyCursor busy;
        read = ReadBlkFile(file, store_.blocks, mode == OpenMode::Append);
    }
    if (!read) {
        message(FromCp932(msg::CannotOpenInputFile()));
        return;
    }
    host_.toggleArea(FileArea::XyzList);
    if (!host_.isAreaShown(FileArea::BlockEdit)) {
        host_.toggleArea(FileArea::BlockEdit);
    }
    host_.toggleArea(FileArea::Plot);
    host_.parcelsLoaded();
    // Label points are means of vertex coordinates, found in the index of what was just read.
    ComputeLabelPoints(store_.blocks, store_.Index());
}

void FileCommands::forceAutoSave() {
    run([this] {
        autoSaver_->waitForWrite();
        {
            BusyCursor busy;
            WriteAutoSave(exeDir(), autoSaveSnapshot());
        }
        host_.setStatusText(FromCp932(msg::Saved(ToCp932OrThrow(writtenPointsText("Auto")))));
    });
}

// The timer's tick: the longest gap between auto-saves, whatever the changes.
void FileCommands::autoSaveTick() {
    if (settings_.Data.AutoSave) {
        autoSaver_->writeNow();
    }
}

// The auto-save runs while the surveyor works on: a failure (a name the file cannot hold, a full disk)
// is said once in the status bar instead of a box at every write, and the next change tries again.
void FileCommands::autoSaveWritten(const QString& error) {
    autoSaveStatus_.report(FromCp932(msg::AutoSaveFailed()), error);
}

// The lists as they stand, with the data set they belong to and whether they differ from its files.
AutoSaveSnapshot FileCommands::autoSaveSnapshot() const {
    AutoSaveOrigin origin;
    origin.datDir = store_.names.DatDir;
    origin.caseName = store_.names.CaseName;
    origin.xyzName = store_.names.XyzName;
    origin.blkName = store_.names.BlkName;
    origin.pointsModified = pointsModified() || restoredUnconfirmed_;
    origin.parcelsModified = parcelsModified() || restoredUnconfirmed_;
    return TakeAutoSaveSnapshot(store_.xyz, store_.blocks, std::move(origin));
}

// A restore puts the list back tied to the data set it was auto-saved from, when that data set is
// still there in the same data folder, and says what it restored and from when.  Changes that were
// not saved stay unsaved, and the first 上書き保存 asks before it writes them over the data set.
void FileCommands::tieRestoredData(int restoreLevel) {
    const std::optional<AutoSaveOrigin> origin = ReadAutoSaveOrigin(exeDir());
    std::error_code ec;
    const bool tied = origin && !origin->xyzName.empty() && origin->datDir == store_.names.DatDir &&
                      fs::is_regular_file(XyzFilePath(datDir(), origin->caseName, origin->xyzName), ec);
    bool points = true;
    bool parcels = restoreLevel == 2;
    const bool withParcelFile =
        tied && restoreLevel == 2 && !origin->blkName.empty() &&
        fs::is_regular_file(BlkFilePath(datDir(), origin->caseName, origin->xyzName, origin->blkName), ec);
    // Untied data belong to no data set: the open has left the names empty.
    if (tied) {
        workspace_.setDataNames(origin->caseName, origin->xyzName, withParcelFile ? origin->blkName : std::string());
    } else {
        workspace_.setDataNames({}, {}, {});
    }
    if (withParcelFile) {
        parcels = origin->parcelsModified;
    }
    if (tied) {
        points = origin->pointsModified;
        if (QTreeWidgetItem* node = openXyzNode()) {
            tree_.select(node);
        }
    }
    if (points) {
        store_.history.MarkUnsaved(SavedList::Points);
    }
    if (parcels) {
        store_.history.MarkUnsaved(SavedList::Parcels);
    }
    restoredUnconfirmed_ = tied && (points || parcels);
    std::string dataSet = store_.names.CaseName + " - " + store_.names.XyzName;
    if (!store_.names.BlkName.empty()) {
        dataSet += " - " + store_.names.BlkName;
    }
    const std::string when =
        origin && !origin->savedAt.empty() ? origin->savedAt : AutoSaveTime(exeDir() / kAutoXyzFileName).toStdString();
    host_.setStatusText(FromCp932(msg::RestoredFromAutoSave(tied ? dataSet : msg::NoDataName(), when)));
}

void FileCommands::firstShow(bool restoreAutoSave) {
    host_.setAreaShown(FileArea::DataTree, true);
    tree_.setFocus(Qt::OtherFocusReason);
    std::error_code ec;
    // After an abnormal end the work of the last auto-save comes back.  With nothing auto-saved there
    // is nothing to bring back, and no error to report.
    if (restoreAutoSave && fs::is_regular_file(exeDir() / kAutoXyzFileName, ec)) {
        run([this] { openAs(OpenMode::Restore); });
    }
    openParamFile();
}

void FileCommands::openParamFile() {
    const std::string file = store_.names.ParamFile;
    if (file.empty()) {
        return;
    }
    const fs::path path(PathFromCp932(file));
    const FileFormat* format = OpenedByName(path);
    if (format != nullptr && format->kind == FileKind::Native) {
        run([this, file] { openAs(OpenMode::Outside, file); });
    } else if (format != nullptr) {
        run([this, format, path] { exchange_->load(*format, path); });
    }
    store_.names.ParamFile.clear();
}

void FileCommands::dropFiles(const QStringList& paths, bool handedOver) {
    for (const QString& path : paths) {
        if (OpenedByName(NativePath(path)) == nullptr) {
            // The name as the system spells it in place of "%1" (it need not have a CP932 form).
            message(FromCp932(msg::NotAFileToOpen("%1", ExtensionsOpenedByName(), handedOver))
                        .arg(QDir::toNativeSeparators(QFileInfo(path).fileName())));
            continue;
        }
        store_.names.ParamFile = PathToCp932(NativePath(path).string());
        openParamFile();
    }
}

} // namespace vemo
