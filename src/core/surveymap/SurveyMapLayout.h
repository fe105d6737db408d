#pragma once

#include "core/geometry/PlanePoint.h"
#include "core/surveymap/MarkerSymbol.h"
#include "core/surveymap/PaperGeometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo::surveymap {

struct SurveyMapModel;

// What a drawn item is, which is also its CAD layer.
enum class MapLayer {
    Frame,        // 枠: the sheet frame and the title block's rules
    SubjectLine,  // 筆界線: the subject parcels' boundary
    AdjacentLine, // 隣接地: the adjacent parcels' boundary
    Point,        // 筆界点: marker symbols
    PointName,    // 点名
    Distance,     // 辺長: the distance of each side
    ParcelNumber, // 地番 (and 地目)
    Table,        // 一覧: 求積表, coordinate tables
    Title,        // 標題: the title block's texts
    Legend,       // 凡例
    NorthArrow,   // 方位
    ScaleBar,     // 縮尺
    Leader,       // 引出線: from a label moved away to its point or side
};
constexpr int kMapLayerCount = 13;
std::string LayerName(MapLayer layer); // CP932

// Line widths on the sheet: the register takes lines of 0.2 mm or thinner (不動産登記規則 74条1項), so the
// subject boundary's bold line is 0.2 mm and everything else thinner.
constexpr double kBoldLineMm = 0.2;
constexpr double kThinLineMm = 0.1;
constexpr double kMarkerLineMm = 0.13; // the outline of a marker symbol

struct MapLine {
    MapLayer layer;
    std::vector<PaperPoint> points;
    double widthMm = kThinLineMm;
    bool closed = false;
    bool filled = false;
};

struct MapMarker {
    MapLayer layer;
    PaperPoint at;
    MarkerSymbol symbol;
    double sizeMm;
};

// A text centred in its box (box.halfHeight is half the character height, box.halfWidth half the
// width the fixed-pitch face takes), turned by box.angleDeg.
struct MapText {
    MapLayer layer;
    std::string text; // CP932
    PaperBox box;
    double HeightMm() const { return box.halfHeight * 2; }
};

// The outline of a marker symbol as polylines on the sheet (circles as polygons), so the painter and
// the CAD drawing draw the same figure.
struct SymbolStroke {
    std::vector<PaperPoint> points;
    bool closed = false;
    bool filled = false;
};
std::vector<SymbolStroke> SymbolOutline(MarkerSymbol symbol, PaperPoint centre, double sizeMm);

// B4 is the sheet the register takes (不動産登記規則 74条3項); A4 and A3 are for drafts.
enum class PaperSize { B4, A4, A3 };
bool IsDraftPaper(PaperSize paper);

struct SurveyMapOptions {
    int scale = 0; // the denominator (250: 1/250); 0: the largest scale of StandardScales() that fits
    PaperSize paper = PaperSize::B4;
    bool landscape = false;
};

// "B4", "B4L", "A4", "A4L", "A3", "A3L" (L: landscape; any case).  False for anything else.
bool ParsePaper(std::string_view text, SurveyMapOptions& options);
// 1/100, 1/200, 1/250, 1/300, 1/500, 1/600, 1/1000, 1/1500, 1/2000, 1/2500: 1/250 is the rule's scale,
// the others those it allows where 1/250 does not suit the land (不動産登記規則 77条2項).
const std::vector<int>& StandardScales();

// Sheet millimetres <-> ground metres at the drawing's scale (north up).
struct PlaneToPaper {
    double scale = 250;
    PlanePoint groundCentre;
    PaperPoint paperCentre;

    PaperPoint ToPaper(PlanePoint p) const {
        return {paperCentre.x + (p.y - groundCentre.y) * 1000.0 / scale,
                paperCentre.y - (p.x - groundCentre.x) * 1000.0 / scale};
    }
    PlanePoint ToGround(PaperPoint p) const {
        return {groundCentre.x - (p.y - paperCentre.y) * scale / 1000.0,
                groundCentre.y + (p.x - paperCentre.x) * scale / 1000.0};
    }
};

struct SurveyMapLayout {
    double widthMm = 0;
    double heightMm = 0;
    int scale = 250;
    PlaneToPaper transform;
    std::vector<MapLine> lines;
    std::vector<MapMarker> markers;
    std::vector<MapText> texts;
    // Every parcel's whole boundary (closed, unclipped, in sheet millimetres that may lie off the sheet):
    // what a CAD drawing in ground coordinates carries in place of the sheet's clipped lines.
    std::vector<MapLine> boundaries;
    // What a reviewer would miss or what did not fit, CP932 sentences: an item the register requires
    // that is empty, an unknown marker kind, no control point, tables or labels that found no room.
    std::vector<std::string> warnings;
    int fittingScale = 0;   // the largest standard scale at which the parcels fit; 0: none does
    int unplacedLabels = 0; // labels that found no free place (drawn overlapping)
};

// Lays out the whole sheet: frame, title block, legend, the parcels at scale with their labels, the
// north arrow and scale bar, the 求積表 of every subject parcel, the boundary point and control point
// coordinate tables.  The subject parcels are always drawn whole: without a fixed scale the largest of
// StandardScales() that fits is taken; a fixed scale at which they do not fit, or a sheet on which no
// scale fits, throws vemo::Error naming the scale that fits (a clipped drawing is never made).
SurveyMapLayout LayOutSurveyMap(const SurveyMapModel& model, const SurveyMapOptions& options);

} // namespace vemo::surveymap
