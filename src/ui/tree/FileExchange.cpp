// SIMA and 日調連: reading either into the store in place of what is edited, writing the coordinate
// list (with the parcels for SIMA) or the selection list.
#include "ui/tree/FileCommands.h"

#include "core/files/BlkFile.h"
#include "core/files/ExportPoints.h"
#include "core/files/ForeignNames.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/Store.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Cp932Text.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/FileDialog.h"

#include <QFileInfo>

namespace vemo {
namespace fs = std::filesystem;

namespace {

FileDialog::Request DialogRequest(bool sima, bool saving, const std::string& cp932DatDir) {
    FileDialog::Request request;
    if (sima) {
        request.title = QStringLiteral("SIMA Format File");
        request.filter = QStringLiteral("SIMA files (*.SIM)|*.SIM");
        request.defaultExtension = saving ? QStringLiteral("SIM") : QString();
    } else {
        request.title = QStringLiteral("日調連 Format File");
        request.filter = QStringLiteral("日調連 files (*.Txt)|*.Txt|その他 (*.*)|*.*");
        request.defaultExtension = saving ? QStringLiteral("Txt") : QString();
    }
    request.folder = FromCp932(cp932DatDir);
    return request;
}

} // namespace

void FileCommands::openSima() {
    run([this] { openExchange(true); });
}

void FileCommands::openNichoren() {
    run([this] { openExchange(false); });
}

void FileCommands::openExchange(bool sima) {
    const QString name = FileDialog::GetOpenFileName(window_, DialogRequest(sima, false, store_.names.DatDir));
    if (name.isEmpty()) {
        return;
    }
    loadExchange(sima, NativePath(name));
}

void FileCommands::loadExchange(bool sima, const fs::path& file) {
    // The whole file is read and checked before the list is given up: a damaged file leaves the list
    // being edited as it was.
    ForeignData data;
    {
        BusyCursor busy;
        data = sima ? ReadSimaFile(file) : ReadNichorenFile(file);
    }
    // Every question (long names, unsaved changes) is asked before the list is given up.
    if (!acceptLongNames(data) || !newXyz(false)) {
        return;
    }
    const bool withParcels = !data.blocks.empty();
    if (!data.rows.empty()) {
        LoadXyzRows(store_.xyz, std::move(data.rows), XyzReadMode::Replace);
        store_.blocks.ReplaceAll(std::move(data.blocks));
        host_.coordinatesLoaded();
        host_.enableDataCommands();
        if (!withParcels) {
            host_.setAreaShown(FileArea::XyzList, true);
            if (!host_.isAreaShown(FileArea::Plot)) {
                host_.toggleArea(FileArea::Plot);
            }
        } else {
            host_.toggleArea(FileArea::XyzList);
            if (!host_.isAreaShown(FileArea::BlockEdit)) {
                host_.toggleArea(FileArea::BlockEdit);
            }
            if (!host_.isAreaShown(FileArea::Plot)) {
                host_.toggleArea(FileArea::Plot);
            }
            host_.parcelsLoaded();
            ComputeLabelPoints(store_.blocks, store_.Index());
        }
    }
    store_.names.CaseName.clear();
    store_.names.XyzName.clear();
    store_.names.BlkName.clear();
    markSaved(true, true); // what the file holds: nothing is lost by closing it
    host_.updateCaption();
    host_.setCaption(PathText(file) + QStringLiteral("[Vemo]"));
    store_.names.ParamFile.clear();
}

// Names over the 16 bytes of the coordinate file: OK shortens them (points and parcel vertices alike),
// Cancel loads nothing.  Either way no list is left that could not be saved.
bool FileCommands::acceptLongNames(ForeignData& data) {
    const std::vector<size_t> longNames = PointsWithLongNames(data);
    if (longNames.empty()) {
        return true;
    }
    constexpr size_t kNamesShown = 5;
    QStringList shown;
    for (size_t i = 0; i < longNames.size() && i < kNamesShown; ++i) {
        shown.append(FromCp932(data.rows[longNames[i]][kColName]));
    }
    if (longNames.size() > kNamesShown) {
        shown.append(QStringLiteral("…"));
    }
    const QString question = QStringLiteral("点名が16バイトを超える点が %1 点あり，このままでは保存できません\n%2\n\n"
                                            "16バイトに切り詰めて読み込みますか？（キャンセル: 読み込みません）")
                                 .arg(longNames.size())
                                 .arg(shown.join(QStringLiteral(", ")));
    if (!ask(question)) {
        return false;
    }
    ShortenLongNames(data);
    return true;
}

void FileCommands::saveSima() {
    run([this] { writeExchange(true, false, {}); });
}

void FileCommands::saveNichoren() {
    run([this] { writeExchange(false, false, {}); });
}

void FileCommands::saveSelectionSima(const std::vector<std::string>& names) {
    run([this, &names] { writeExchange(true, true, names); });
}

void FileCommands::saveSelectionNichoren(const std::vector<std::string>& names) {
    run([this, &names] { writeExchange(false, true, names); });
}

void FileCommands::writeExchange(bool sima, bool fromSelection, const std::vector<std::string>& names) {
    // The selection buttons do nothing while the selection list holds no entry.
    if (fromSelection && names.empty()) {
        return;
    }
    const QString name = FileDialog::GetSaveFileName(window_, DialogRequest(sima, true, store_.names.DatDir));
    if (name.isEmpty()) {
        return;
    }
    const fs::path file = NativePath(name);
    BusyCursor busy;
    const std::vector<ExportPoint> points =
        fromSelection ? PointsFromSelection(names, store_.Index()) : PointsFromList(store_.xyz);
    const QString written = QStringLiteral("%1 に %2 点").arg(QFileInfo(name).fileName()).arg(points.size());
    if (!sima) {
        WriteNichorenFile(file, points);
        host_.setStatusText(written + QStringLiteral("を保存しました"));
        return;
    }
    const SimaNames simaNames{store_.names.CaseName, store_.names.XyzName, store_.names.BlkName};
    // Parcels go with the coordinate list while the parcel editor is shown; their vertex numbers are
    // the list rows, which the index (following every edit) gives as they are now.
    if (!fromSelection && host_.isAreaShown(FileArea::BlockEdit) && store_.blocks.Count() > 0) {
        const std::vector<ExportParcel> parcels = ParcelsForExport(store_.blocks, store_.Index());
        WriteSimaFile(file, simaNames, points, &parcels);
        host_.setStatusText(written + QStringLiteral("，%1 画地を保存しました").arg(parcels.size()));
    } else {
        WriteSimaFile(file, simaNames, points);
        host_.setStatusText(written + QStringLiteral("を保存しました"));
    }
}

} // namespace vemo
