#pragma once

class QPainter;
class QPrinter;

namespace vemo::surveymap {

struct SurveyMapLayout;

// Paints a laid-out survey map: the painter's units are millimetres of the sheet times `pixelsPerMm`
// (the origin at the sheet's top-left corner).  Nothing is decided here: every position, size and
// text comes from the layout, so the sheet, the preview and the CAD drawing agree.
void PaintSurveyMap(QPainter& painter, const SurveyMapLayout& layout, double pixelsPerMm);

// Sets the printer to the layout's sheet (size, orientation, no margins) and prints it at true scale:
// a side of 10.000 m at 1/250 is 40.0 mm on paper.  Throws vemo::Error when printing cannot start.
void PrintSurveyMap(QPrinter& printer, const SurveyMapLayout& layout);

} // namespace vemo::surveymap
