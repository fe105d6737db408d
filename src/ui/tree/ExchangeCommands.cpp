// The exchange formats (FileFormats: SIMA, 日調連): reading one into the store in place of what is
// edited, writing the coordinate list (with the parcels where the format carries them) or the selection
// list.
#include "ui/tree/ExchangeCommands.h"

#include "core/files/BlkFile.h"
#include "core/files/ExportPoints.h"
#include "core/files/FileFormat.h"
#include "core/files/ForeignNames.h"
#include "core/files/RegistryMapFiles.h"
#include "core/files/XyzFile.h"
#include "core/gis/SiteZone.h"
#include "core/io/SafeReplace.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/Store.h"
#include "core/text/MessagesFiles.h"
#include "core/text/MessagesNotices.h"
#include "core/text/MessagesRegistryMap.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/Workspace.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/FileDialog.h"
#include "ui/tree/RegistryMapDialog.h"

namespace vemo {
namespace fs = std::filesystem;

namespace {

FileDialog::Request DialogRequest(const FileFormat& format, bool saving, const std::string& cp932DatDir) {
    FileDialog::Request request;
    request.title = QString::fromUtf8(format.utf8DialogTitle.data(), format.utf8DialogTitle.size());
    request.filter = QString::fromUtf8(format.utf8DialogFilter.data(), format.utf8DialogFilter.size());
    if (saving) {
        request.defaultExtension = QString::fromLatin1(format.saveExtension.data(), format.saveExtension.size());
    }
    request.folder = FromCp932(cp932DatDir);
    return request;
}

} // namespace

ExchangeCommands::ExchangeCommands(Workspace& workspace, FileCommandHost& host, QWidget* window,
                                   std::function<bool()> giveUpData)
    : workspace_(workspace), store_(workspace.store()), host_(host), window_(window),
      giveUpData_(std::move(giveUpData)) {}

void ExchangeCommands::open(FileKind kind) {
    RunCommand(
        [this, kind] {
            const FileFormat& format = FormatOf(kind);
            const QString name =
                FileDialog::getOpenFileName(window_, DialogRequest(format, false, store_.names.DatDir));
            if (!name.isEmpty()) {
                load(format, NativePath(name));
            }
        },
        window_);
}

void ExchangeCommands::load(const FileFormat& format, const fs::path& file) {
    // The whole file is read and checked before the list is given up: a damaged file leaves the list
    // being edited as it was.
    ForeignData data;
    // The site the map's zone belongs to: the one open before the map replaces the data.
    const fs::path siteFolder = store_.names.CaseName.empty()
                                    ? fs::path()
                                    : fs::path(PathFromCp932(store_.names.DatDir + "/" + store_.names.CaseName));
    if (format.kind == FileKind::RegistryMap) {
        std::optional<ForeignData> chosen = chooseFromRegistryMap(file);
        if (!chosen) {
            return;
        }
        data = std::move(*chosen);
    } else {
        BusyCursor busy;
        data = format.read(file);
    }
    // Every question (long names, unsaved changes) is asked before the list is given up.
    if (!acceptLongNames(data) || !giveUpData_()) {
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
    workspace_.setDataNames({}, {}, {});
    store_.names.Source = data.sourceLine;
    // What the file holds: nothing is lost by closing it.
    store_.history.MarkSaved(SavedList::Points);
    store_.history.MarkSaved(SavedList::Parcels);
    host_.setCaption(PathText(file) + QStringLiteral("[Vemo]"));
    store_.names.ParamFile.clear();
    if (format.kind == FileKind::RegistryMap) {
        reportRegistryMap(data, siteFolder);
    }
}

std::optional<ForeignData> ExchangeCommands::chooseFromRegistryMap(const fs::path& file) {
    std::vector<NamedRegistryMap> maps;
    std::vector<RegistryMapParcelEntry> parcels;
    {
        BusyCursor busy;
        maps = ReadRegistryMaps(file);
        parcels = RegistryMapParcels(maps);
    }
    QStringList names;
    for (const NamedRegistryMap& map : maps) {
        names.append(QString::fromStdString(map.name));
    }
    const QString summary =
        QStringLiteral("%1（%2）%3　座標系: %4　筆 %5 件")
            .arg(QString::fromStdString(maps.front().doc.cityName),
                 names.size() > 3 ? names.mid(0, 3).join(QStringLiteral("、")) + QStringLiteral("ほか")
                                  : names.join(QStringLiteral("、")),
                 QString(), QString::fromStdString(maps.front().doc.coordinateSystem))
            .arg(parcels.size());
    const std::optional<RegistryMapChoice> choice = RegistryMapDialog::Choose(window_, parcels, summary);
    if (!choice) {
        return std::nullopt;
    }
    BusyCursor busy;
    return RegistryMapForeignData(ImportRegistryMaps(maps, *choice));
}

void ExchangeCommands::reportRegistryMap(const ForeignData& data, const fs::path& siteFolder) {
    constexpr std::size_t kNotesShown = 30;
    std::string text;
    for (std::size_t i = 0; i < data.notes.size() && i < kNotesShown; ++i) {
        text += data.notes[i] + "\n";
    }
    if (data.notes.size() > kNotesShown) {
        text += msg::MapMoreNotes(data.notes.size() - kNotesShown) + "\n";
    }
    text += "\n" + data.sourceLine;
    MessageBox::ShowCp932(window_, text, MessageBox::Kind::Information);
    if (data.planeZone == 0 || siteFolder.empty()) {
        return;
    }
    const std::optional<gis::ZoneChoice> zone = gis::ReadSiteZone(siteFolder);
    if (zone && zone->zone == data.planeZone) {
        return;
    }
    if (zone && MessageBox::Ask(
                    window_, FromCp932(msg::SiteZoneFromMapQuestion(ToCp932OrThrow(PathText(siteFolder.filename())),
                                                                    zone->zone, data.planeZone))) != QMessageBox::Ok) {
        return;
    }
    gis::WriteSiteZone(siteFolder, {data.planeZone, zone ? zone->datum : gis::Datum::Jgd2011});
}

// Names over the 16 bytes of the coordinate file: OK shortens them (points and parcel vertices alike),
// Cancel loads nothing.  Either way no list is left that could not be saved.
bool ExchangeCommands::acceptLongNames(ForeignData& data) {
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
    const std::string question =
        msg::LongNamesQuestion(longNames.size(), ToCp932OrThrow(shown.join(QStringLiteral(", "))));
    if (MessageBox::Ask(window_, FromCp932(question)) != QMessageBox::Ok) {
        return false;
    }
    ShortenLongNames(data);
    return true;
}

void ExchangeCommands::save(FileKind kind) {
    RunCommand([this, kind] { write(FormatOf(kind), false, {}); }, window_);
}

void ExchangeCommands::saveSelection(FileKind kind, const std::vector<std::string>& names) {
    RunCommand([this, kind, &names] { write(FormatOf(kind), true, names); }, window_);
}

void ExchangeCommands::write(const FileFormat& format, bool fromSelection, const std::vector<std::string>& names) {
    // The selection buttons do nothing while the selection list holds no entry.
    if (fromSelection && names.empty()) {
        return;
    }
    const QString name = FileDialog::getSaveFileName(window_, DialogRequest(format, true, store_.names.DatDir));
    if (name.isEmpty()) {
        return;
    }
    const fs::path file = NativePath(name);
    BusyCursor busy;
    const std::vector<ExportPoint> points =
        fromSelection ? PointsFromSelection(names, store_.Index()) : PointsFromList(store_.xyz);
    const SimaNames headerNames{store_.names.CaseName, store_.names.XyzName, store_.names.BlkName};
    // Parcels go with the coordinate list while the parcel editor is shown; their vertex numbers are
    // the list rows, which the index (following every edit) gives as they are now.
    std::string written;
    if (format.carriesParcels && !fromSelection && host_.isAreaShown(FileArea::BlockEdit) &&
        store_.blocks.Count() > 0) {
        const std::vector<ExportParcel> parcels = ParcelsForExport(store_.blocks, store_.Index());
        format.write(file, {headerNames, points, &parcels});
        written = msg::SimaFileKind(points.size(), parcels.size());
    } else {
        format.write(file, {headerNames, points, nullptr});
        written =
            format.kind == FileKind::Sima ? msg::SimaFileKind(points.size()) : msg::NichorenFileKind(points.size());
    }
    // What went out and where: the file may lie in any folder, not only the site's.
    host_.setStatusText(FileWrittenNotice(written, PathText(file)));
}

} // namespace vemo
