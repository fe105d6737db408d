#pragma once

#include "core/gis/PlaneZones.h"

#include <filesystem>
#include <functional>
#include <string>

class GDALDataset;

namespace vemo {
class XyzList;
class BlockList;
} // namespace vemo

namespace vemo::gis {

// The formats an export writes, chosen by the target's extension (any case):
//  .dxf      CAD drawing in plane coordinates (drawing x = Y east, drawing y = X north), layers
//            "点名" (POINT and name TEXT) and "画地" (closed polylines and name TEXT at the label point);
//  .gpkg     GeoPackage in the zone's CRS, layers "points" (点名, Z, 点種, 備考) and "parcels"
//            (画地名, 面積, 地積, 坪数);
//  .shp      Shapefiles in the zone's CRS, UTF-8 attributes: the points in the named file, the
//            parcels beside it as "<name>_parcels.shp";
//  .kml      latitude/longitude, folders "points" and "parcels";
//  .geojson  latitude/longitude, points and parcels in one feature collection.
enum class ExportFormat { Dxf, GeoPackage, Shapefile, Kml, GeoJson };

// Throws vemo::Error naming the extensions understood for any other extension.
ExportFormat FormatOfTarget(const std::filesystem::path& target);

struct ExportSummary {
    std::filesystem::path target;
    int pointsWritten = 0;
    int pointsLeftOut = 0;
    int parcelsWritten = 0;
    int parcelsLeftOut = 0;
};

// Writes the points and parcels of a site.  Everything is written into a temporary file or folder beside
// the target and moved into place only when complete, so a failure (unknown zone, a folder that cannot be
// written, a format the installed GDAL lacks, a full disk) throws vemo::Error and leaves any earlier
// file of that name as it was.
ExportSummary ExportSite(const XyzList& list, const BlockList& blocks, const ZoneChoice& zone,
                         const std::filesystem::path& target);

// A CAD drawing whose entities `write` puts into an open DXF dataset of GDAL (Japanese code page, texts
// recoded to CP932), made in memory and written whole through the safe writer after `finish` (when
// given) has made its last changes to the text.  The entities the dataset accepted are counted, and the
// drawing must read back with as many.  A full disk is told as such and the old file kept.
void WriteDxfDrawing(const std::filesystem::path& target, const std::function<void(GDALDataset&)>& write,
                     const std::function<std::string(std::string)>& finish = {});

// "<file> に 点 N 件、画地 M 件を出力しました" with the left-out counts when there are any (CP932).
std::string SummaryMessage(const ExportSummary& summary);

} // namespace vemo::gis
