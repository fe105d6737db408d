#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vemo::surveymap {

struct SurveyMapLayout;

// The survey map as a CAD drawing in ground coordinates (drawing x = Y east, y = X north, metres): every
// line, symbol and text of the layout taken from the sheet back to the ground by the drawing's scale,
// so the sheet's parts (tables, title block) stand beside the parcels as on paper.  One CAD layer per
// kind of item (LayerName).  Written through the GIS export's DXF path; throws vemo::Error on failure.
void WriteSurveyMapDxf(const SurveyMapLayout& layout, const std::filesystem::path& target);

// A DXF text with its header saying metres ($INSUNITS 6, $MEASUREMENT 1); the rest unchanged.
std::string MetricDxfHeader(std::string dxf);

// What the CAD drawing does not carry from the printed sheet (CP932 sentences for the user).
std::vector<std::string> DxfLimitations();

} // namespace vemo::surveymap
