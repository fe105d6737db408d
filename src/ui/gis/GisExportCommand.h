#pragma once

#include "core/gis/PlaneZones.h"

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace vemo {

class Store;

// The zone remembered for the site folder, else asked (and then remembered); nothing when cancelled.
std::optional<gis::ZoneChoice> SiteZoneOrAsk(QWidget* parent, const std::filesystem::path& siteFolder);

// ﾌｧｲﾙ "GIS/CADへ出力...": the zone of the site (asked at the first export and remembered in the
// site folder), the target file (its extension chooses the format), the export, and a message with
// what was written and what was left out.  `siteFolder` is empty when no site folder is open: the zone
// is then asked every time.
void ExportSiteToGis(QWidget* parent, Store& store, const std::filesystem::path& siteFolder);

} // namespace vemo
