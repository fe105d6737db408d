#pragma once

#include "core/gis/PlaneZones.h"

#include <filesystem>
#include <optional>

namespace vemo::gis {

// The plane rectangular zone of a site is asked once and then remembered in a small file of the
// program's own in the site folder ("VemoZone.txt": "Zone=9", "Datum=JGD2011").  The coordinate and
// parcel files do not depend on it: deleting it only means the zone is asked again.
constexpr const char* kSiteZoneFileName = "VemoZone.txt";

// Nothing when the folder has no such file or it does not name a zone 1 .. 19 (a damaged file is
// treated as missing, so the surveyor is simply asked again).
std::optional<ZoneChoice> ReadSiteZone(const std::filesystem::path& siteFolder);

// Replaces the file safely; throws vemo::Error when the folder cannot be written.
void WriteSiteZone(const std::filesystem::path& siteFolder, const ZoneChoice& choice);

} // namespace vemo::gis
