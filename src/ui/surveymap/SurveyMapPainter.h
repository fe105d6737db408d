#pragma once

#include "core/surveymap/BilevelTiff.h"

#include <filesystem>

class QPainter;
class QPrinter;

namespace vemo::surveymap {

struct SurveyMapLayout;

// Paints a laid-out survey map: the painter's units are millimetres of the sheet times `pixelsPerMm`
// (the origin at the sheet's top-left corner).  Nothing is decided here: every position, size and
// text comes from the layout, so the sheet, the preview and the CAD drawing agree.
// `smooth`: anti-aliased lines and text (screen, PDF); off for a black-and-white raster.
void PaintSurveyMap(QPainter& painter, const SurveyMapLayout& layout, double pixelsPerMm, bool smooth = true);

// The whole sheet as a black-and-white raster at `dotsPerInch` (B4 at 400 dpi: 4047 × 5732 pixels
// portrait), drawn without anti-aliasing so that no grey is left to guess about.
BilevelImage RenderSurveyMapBilevel(const SurveyMapLayout& layout, double dotsPerInch = 400);

// The sheet as the TIFF the register takes online (see BilevelTiffBytes), through the safe writer.
void WriteSurveyMapTiff(const SurveyMapLayout& layout, const std::filesystem::path& target);

// Sets the printer to the layout's sheet (size, orientation, no margins) and prints it at true scale:
// a side of 10.000 m at 1/250 is 40.0 mm on paper.  Throws vemo::Error when printing cannot start.
void PrintSurveyMap(QPrinter& printer, const SurveyMapLayout& layout);

} // namespace vemo::surveymap
