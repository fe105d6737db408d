#pragma once

#include "core/geometry/PlanePoint.h"
#include "core/parcels/ParcelArea.h"
#include "core/surveymap/SiteSurveyInfo.h"

#include <string>
#include <vector>

namespace vemo {
class XyzList;
class BlockList;
} // namespace vemo

namespace vemo::surveymap {

struct MapPoint {
    std::string name;
    PlanePoint at;    // rounded to 0.001 m, as every area figure uses it
    std::string kind; // 点種
    MarkerSymbol symbol = MarkerSymbol::Plain;
};

struct MapParcel {
    std::string name;      // 地番
    std::string category;  // 地目
    bool subject = false;  // a subject parcel (bold, with its 求積表), else adjacent (thin)
    std::vector<int> ring; // indices into SurveyMapModel::points, the ring once (not closed)
    ParcelAreaFigures figures;
    // 求積表 (subject parcels only): the ring table of the area report under its own column heads, then
    // 倍面積, 面積 and the 地積 of the parcel's 地目.
    std::vector<std::string> areaTable;
};

// What the survey map shows, taken from the lists: the parcels in the order asked (subjects first),
// the boundary points of all of them once each, and the control points.
struct SurveyMapModel {
    std::vector<MapParcel> parcels;
    std::vector<MapPoint> points;        // boundary points, in order of first appearance
    std::vector<MapPoint> controlPoints; // chosen by kind or name, boundary points excluded
    SurveyTitle title;
    int zone = 0; // plane rectangular coordinate system 1 .. 19; 0 when unknown
    MarkerMapping markers;
    // The source the points' terms of use require to be named ("出典：…", CP932), printed at the foot of
    // the information column; empty when they name none.
    std::string source;
};

struct SurveyMapRequest {
    std::vector<std::string> subjects;  // 地番 of the subject parcels
    std::vector<std::string> adjacents; // 地番 of the adjacent parcels
    int zone = 0;
};

// The parcels named in the request (or, when it names none, those the site file marks).  Throws
// vemo::Error when a named parcel is not in the list, a vertex is not in the coordinate list (a legal
// drawing never borrows a coordinate), a ring has fewer than three points or no subject parcel is given.
SurveyMapModel BuildSurveyMapModel(const XyzList& list, const BlockList& blocks, const SurveyMapRequest& request,
                                   const SiteSurveyInfo& info);

} // namespace vemo::surveymap
