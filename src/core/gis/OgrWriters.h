#pragma once

#include "core/gis/ExportData.h"
#include "core/gis/PlaneZones.h"

#include <string>

class GDALDataset;

namespace vemo::gis {

// The layers of each format into an open dataset; each throws GdalRefusal (ExportFailure.h) when GDAL
// refuses a layer or a feature.
void WriteDxfEntities(GDALDataset& dataset, const ExportData& data);
// GDAL's DXF header with the drawing code page set to Japanese (ANSI_932).
std::string DxfHeaderTemplate();
void WriteZoneLayers(GDALDataset& dataset, const ExportData& data, const ZoneChoice& zone,
                     const std::string& pointsLayer, const std::string& parcelsLayer);
void WriteGeographicLayers(GDALDataset& dataset, const ExportData& data, const ZoneChoice& zone, bool oneLayer);

} // namespace vemo::gis
