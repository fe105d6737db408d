#include "ui/gis/GisExportCommand.h"

#include "core/gis/GisExport.h"
#include "core/gis/SiteZone.h"
#include "core/store/Store.h"
#include "core/text/MessagesFiles.h"
#include "core/text/MessagesNotices.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/gis/ZoneBox.h"
#include "ui/tree/FileDialog.h"

#include <QFile>

namespace vemo {

std::optional<gis::ZoneChoice> SiteZoneOrAsk(QWidget* parent, const std::filesystem::path& siteFolder) {
    std::optional<gis::ZoneChoice> zone;
    if (!siteFolder.empty()) {
        zone = gis::ReadSiteZone(siteFolder);
    }
    if (!zone) {
        zone = AskZone(parent, FromCp932(msg::ChooseSiteZone()));
        if (zone && !siteFolder.empty() && !RunCommand([&] { gis::WriteSiteZone(siteFolder, *zone); }, parent)) {
            return std::nullopt;
        }
    }
    return zone;
}

void ExportSiteToGis(QWidget* parent, Store& store, const std::filesystem::path& siteFolder) {
    std::optional<gis::ZoneChoice> zone = SiteZoneOrAsk(parent, siteFolder);
    if (!zone) {
        return;
    }
    FileDialog::Request request;
    request.title = QStringLiteral("GIS/CADへ出力");
    request.filter = QStringLiteral("DXF (*.dxf)|*.dxf|GeoPackage (*.gpkg)|*.gpkg|Shapefile (*.shp)|*.shp|"
                                    "KML (*.kml)|*.kml|GeoJSON (*.geojson)|*.geojson");
    request.defaultExtension = QStringLiteral("dxf");
    request.folder = QString::fromStdString(siteFolder.string());
    QString target = FileDialog::getSaveFileName(parent, request);
    if (target.isEmpty()) {
        return;
    }
    RunCommand(
        [&] {
            BusyCursor busy;
            gis::ExportSummary summary =
                gis::ExportSite(store.xyz, store.blocks, *zone, QFile::encodeName(target).toStdString());
            ShowStatusNotice(parent, FileWrittenNotice(msg::GisFileKind(), target));
            MessageBox::ShowCp932(parent, gis::SummaryMessage(summary));
        },
        parent);
}

} // namespace vemo
