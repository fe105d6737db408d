#pragma once

#include "core/gis/ExportData.h"
#include "core/gis/PlaneZones.h"

#include <string>

class GDALDataset;

namespace vemo::gis {

// The layers of each format into an open dataset; each throws GdalRefusal (ExportFailure.h) when GDAL
// refuses a layer or a feature.
// GDAL's DXF header with the drawing code page set to Japanese (ANSI_932).
std::string DxfHeaderTemplate();
// GDAL's DXF trailer (the objects section and the end of the file).
std::string DxfTrailerTemplate();
void WriteZoneLayers(GDALDataset& dataset, const ExportData& data, const ZoneChoice& zone,
                     const std::string& pointsLayer, const std::string& parcelsLayer);
void WriteGeographicLayers(GDALDataset& dataset, const ExportData& data, const ZoneChoice& zone, bool oneLayer);

} // namespace vemo::gis
