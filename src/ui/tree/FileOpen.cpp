// Opening native data: the selected tree node, in addition, the auto-save files, a file named on the
// command line or dropped; the forced auto-save.
#include "ui/tree/FileCommands.h"

#include "core/files/AutoSave.h"
#include "core/files/BlkFile.h"
#include "core/files/DataPaths.h"
#include "core/files/XyzFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/text/Bytes.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/FileCommandHost.h"

#include <QDateTime>
#include <QFileInfo>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// The time the auto-save file was written, as the surveyor reads a date.
QString AutoSaveTime(const fs::path& file) {
    const QDateTime written = QFileInfo(PathText(file)).lastModified();
    return written.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
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
            message(QStringLiteral("リストアデータがありません!!"));
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
    if (mode != OpenMode::Append) {
        if (!newXyz(false)) {
            return false;
        }
        store_.names.CaseName.clear();
        store_.names.XyzName.clear();
        store_.names.BlkName.clear();
    }
    if (mode == OpenMode::Normal || mode == OpenMode::Append) {
        const DataNodePath node = tree_.selectedPath();
        target.nodeLevel = node.level;
        if (node.level >= 1) {
            store_.names.CaseName = node.site;
            store_.names.XyzName = node.xyz;
        }
        if (node.level == 2) {
            store_.names.BlkName = node.blk;
        }
    }
    if (mode != OpenMode::Append && mode != OpenMode::Outside) {
        host_.updateCaption();
    }
    if (!openCoordinates(mode, target, outsideFile)) {
        return false;
    }
    if (mode == OpenMode::Outside) {
        host_.setCaption(FromCp932(outsideFile) + QStringLiteral("[Vemo]"));
        store_.names.ParamFile.clear();
        store_.history.Clear();
        return true;
    }
    const bool withParcels = (target.nodeLevel == 2 && mode != OpenMode::Restore) || target.restoreLevel == 2;
    if (withParcels) {
        openParcels(mode, target);
    }
    // Undo works within one file: another file starts a new history; 開く（追加） can be undone.
    if (mode != OpenMode::Append) {
        store_.history.Clear();
    }
    return true;
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
        message(QStringLiteral("File Open Error !!"));
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
        message(QStringLiteral("入力ファイルを開けません"));
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
        BusyCursor busy;
        WriteAutoSave(exeDir(), store_.xyz, store_.blocks);
    });
}

// The timer's auto-save runs while the surveyor works on: a failure (a name the file cannot hold, a
// full disk) is said once in the status bar instead of a box at every tick, and the next tick tries
// again.
void FileCommands::autoSaveTick() {
    if (!settings_.Data.AutoSave) {
        return;
    }
    runInBackground(BackgroundWrite::AutoSave, QStringLiteral("オートセーブできません: "), [this] {
        BusyCursor busy;
        WriteAutoSave(exeDir(), store_.xyz, store_.blocks);
    });
}

void FileCommands::firstShow(bool restoreAutoSave) {
    host_.setAreaShown(FileArea::DataTree, true);
    tree_.setFocus(Qt::OtherFocusReason);
    std::error_code ec;
    // After an abnormal end the work of the last auto-save comes back.  With nothing auto-saved there
    // is nothing to bring back, and no error to report.
    if (restoreAutoSave && fs::is_regular_file(exeDir() / kAutoXyzFileName, ec)) {
        const QString savedAt = AutoSaveTime(exeDir() / kAutoXyzFileName);
        run([this, &savedAt] {
            if (openAs(OpenMode::Restore)) {
                announceRestore(savedAt);
            }
        });
    }
    openParamFile();
}

// The surveyor must know that what is shown is the work of an earlier, interrupted run, and from when.
void FileCommands::announceRestore(const QString& savedAt) {
    const QString text = QStringLiteral("オートセーブから復元しました（%1）").arg(savedAt);
    host_.setStatusText(text);
    host_.setCaption(text + QStringLiteral("[Vemo]"));
}

// A ".sim" file opens as SIMA, a ".Xyz" file as native coordinates (any case); anything else is
// ignored.
void FileCommands::openParamFile() {
    const std::string file = store_.names.ParamFile;
    if (file.empty()) {
        return;
    }
    const std::string extension = UpperAscii(Extension(file));
    if (extension == ".SIM") {
        run([this, file] { loadExchange(true, fs::path(PathFromCp932(file))); });
    } else if (extension == ".XYZ") {
        run([this, file] { openAs(OpenMode::Outside, file); });
    }
    store_.names.ParamFile.clear();
}

void FileCommands::dropFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix != QStringLiteral("sim") && suffix != QStringLiteral("xyz")) {
            message(QStringLiteral("それはちゃう！"));
            continue;
        }
        store_.names.ParamFile = PathToCp932(NativePath(path).string());
        openParamFile();
    }
}

} // namespace vemo
