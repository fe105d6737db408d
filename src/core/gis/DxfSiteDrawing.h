#pragma once

#include "core/gis/ExportData.h"

#include <string>
#include <string_view>

namespace vemo::gis {

// The export's CAD drawing as the text of a DXF file, written here rather than by GDAL's DXF driver:
// that driver spools every entity to a temporary file and copies it line by line at close, which made a
// full site (100,000 points, 1,000 parcels) the slowest export by three times, and it reports neither a
// full disk nor the cause of a failure.  The drawing is the one GDAL's driver made from the same data:
//  - `header` and `trailer` are GDAL's DXF templates (header.dxf declaring ANSI_932, trailer.dxf); the
//    header gets the drawing's extents, the next free handle, the layers "点名" and "画地" and the text
//    style of the names;
//  - per point a POINT (drawing x = Y east, y = X north, z = the height, none without one) and an MTEXT
//    of its name 0.5 m high; per parcel a closed LWPOLYLINE and an MTEXT of its name at the label point;
//  - texts in CP932 bytes; a character CP932 lacks is written as a "\U+XXXX" escape, a backslash doubled,
//    a brace escaped (GDAL's driver left it, and CAD hid it as formatting), a space as a non-breaking
//    space ("\~") so CAD does not wrap a name, a caret followed by a space.
std::string DxfSiteDrawing(const ExportData& data, std::string_view header, std::string_view trailer);

} // namespace vemo::gis
