#pragma once

// The parts of the survey map's layout, shared by the files that build them.
#include "core/surveymap/SurveyMapLayout.h"

namespace vemo::surveymap {

struct SurveyMapModel;

struct PaperRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

// A one-line text centred at `centre`.
MapText CentredText(MapLayer layer, std::string text, PaperPoint centre, double heightMm, double angleDeg = 0);
// A one-line horizontal text whose left end is at `left` and whose middle is at height `middleY`.
MapText LeftText(MapLayer layer, std::string text, double left, double middleY, double heightMm);
void AddRect(SurveyMapLayout& layout, MapLayer layer, PaperRect rect, double widthMm);

// The parcels at scale with their symbols and labels, the north arrow and the scale bar.
void LayOutDrawing(const SurveyMapModel& model, PaperRect area, SurveyMapLayout& layout);
// The title block, the legend and the tables (求積表, coordinates), flowing in columns through `area`.
void LayOutInformation(const SurveyMapModel& model, PaperRect area, SurveyMapLayout& layout);

} // namespace vemo::surveymap
