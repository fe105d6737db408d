#include "core/surveymap/SurveyMapLayout.h"

#include "core/surveymap/MapParts.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesSurveyMap.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <numbers>

namespace vemo::surveymap {

namespace {

constexpr double kFrameMarginMm = 10.0;
constexpr double kGapMm = 5.0;
constexpr double kFrameLineMm = 0.2; // no line of the sheet is wider (不動産登記規則 74条1項)
// Room around the subject parcels for the names, distances and adjacent 地番 outside them.
constexpr double kLabelRoomMm = 18.0;

std::vector<PaperPoint> Circle(PaperPoint c, double r) {
    std::vector<PaperPoint> points;
    constexpr int kSides = 32;
    for (int i = 0; i < kSides; ++i) {
        double a = 2 * std::numbers::pi * i / kSides;
        points.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return points;
}

std::vector<PaperPoint> Square(PaperPoint c, double h) {
    return {{c.x - h, c.y - h}, {c.x + h, c.y - h}, {c.x + h, c.y + h}, {c.x - h, c.y + h}};
}

struct Extent {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = -std::numeric_limits<double>::max(), maxY = maxX;
    void Add(PlanePoint p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
};

Extent SubjectExtent(const SurveyMapModel& model) {
    Extent extent;
    for (const MapParcel& parcel : model.parcels) {
        if (parcel.subject) {
            for (int i : parcel.ring) {
                extent.Add(model.points[i].at);
            }
        }
    }
    return extent;
}

bool Fits(const Extent& extent, int scale, PaperRect area) {
    return (extent.maxY - extent.minY) * 1000.0 / scale + 2 * kLabelRoomMm <= area.Width() &&
           (extent.maxX - extent.minX) * 1000.0 / scale + 2 * kLabelRoomMm <= area.Height();
}

// The sheet split into the drawing and the information column (landscape: at the right; portrait:
// below), inside the frame.
std::pair<PaperRect, PaperRect> SplitSheet(const SurveyMapLayout& layout, bool landscape) {
    PaperRect inner{kFrameMarginMm, kFrameMarginMm, layout.widthMm - kFrameMarginMm, layout.heightMm - kFrameMarginMm};
    if (landscape) {
        double split = inner.left + inner.Width() * 0.58;
        return {{inner.left, inner.top, split, inner.bottom},
                {split + kGapMm, inner.top + kGapMm, inner.right - kGapMm, inner.bottom - kGapMm}};
    }
    double split = inner.top + inner.Height() * 0.5;
    return {{inner.left, inner.top, inner.right, split},
            {inner.left + kGapMm, split + kGapMm, inner.right - kGapMm, inner.bottom - kGapMm}};
}

std::string ScaleText(int scale) {
    return "1/" + std::to_string(scale);
}

// The scale the sheet is drawn at: the one asked for, or the largest that fits.  A drawing that would
// not show the subject parcels whole is refused before anything is laid out.
int ChooseScale(const Extent& extent, PaperRect area, const SurveyMapOptions& options, SurveyMapLayout& layout) {
    for (int scale : StandardScales()) {
        if (Fits(extent, scale, area)) {
            layout.fittingScale = scale;
            break;
        }
    }
    if (options.scale == 0) {
        if (layout.fittingScale == 0) {
            throw Error(msg::MapFitsNoScale());
        }
        return layout.fittingScale;
    }
    if (!Fits(extent, options.scale, area)) {
        throw Error(msg::MapDoesNotFit(ScaleText(options.scale),
                                       layout.fittingScale != 0 ? ScaleText(layout.fittingScale) : std::string()));
    }
    return options.scale;
}

} // namespace

std::string LayerName(MapLayer layer) {
    // No name holds a character whose second byte is 0x5C (表, ソ, 十 ...): CAD programs read that byte of
    // a layer name as a backslash.
    static const char* const kNames[kMapLayerCount] = {"枠",   "筆界線", "隣接地", "筆界点", "点名", "辺長",  "地番",
                                                       "一覧", "標題",   "凡例",   "方位",   "縮尺", "引出線"};
    return Jp(kNames[static_cast<int>(layer)]);
}

std::vector<SymbolStroke> SymbolOutline(MarkerSymbol symbol, PaperPoint c, double size) {
    double h = size / 2;
    switch (symbol) {
    case MarkerSymbol::Plain:
        return {{Circle(c, h * 0.35), true, true}};
    case MarkerSymbol::Square:
        return {{Square(c, h), true, false}};
    case MarkerSymbol::SquareCross:
        return {{Square(c, h), true, false},
                {{{c.x - h, c.y - h}, {c.x + h, c.y + h}}},
                {{{c.x + h, c.y - h}, {c.x - h, c.y + h}}}};
    case MarkerSymbol::Circle:
        return {{Circle(c, h), true, false}};
    case MarkerSymbol::CircleDot:
        return {{Circle(c, h), true, false}, {Circle(c, h * 0.3), true, true}};
    case MarkerSymbol::FilledCircle:
        return {{Circle(c, h), true, true}};
    case MarkerSymbol::Triangle:
        return {{{{c.x, c.y - h}, {c.x + h * 0.95, c.y + h * 0.7}, {c.x - h * 0.95, c.y + h * 0.7}}, true, false}};
    case MarkerSymbol::DoubleCircle:
        return {{Circle(c, h), true, false}, {Circle(c, h * 0.55), true, false}};
    }
    return {};
}

bool IsDraftPaper(PaperSize paper) {
    return paper != PaperSize::B4;
}

bool ParsePaper(std::string_view text, SurveyMapOptions& options) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char ch) { return std::toupper(ch); });
    if (upper.ends_with("L")) {
        upper.pop_back();
        options.landscape = true;
    } else {
        options.landscape = false;
    }
    if (upper == "B4") {
        options.paper = PaperSize::B4;
    } else if (upper == "A4") {
        options.paper = PaperSize::A4;
    } else if (upper == "A3") {
        options.paper = PaperSize::A3;
    } else {
        return false;
    }
    return true;
}

const std::vector<int>& StandardScales() {
    static const std::vector<int> kScales{100, 200, 250, 300, 500, 600, 1000, 1500, 2000, 2500};
    return kScales;
}

SurveyMapLayout LayOutSurveyMap(const SurveyMapModel& model, const SurveyMapOptions& options) {
    SurveyMapLayout layout;
    // B4 of 日本産業規格 P 0138: 257 mm × 364 mm.
    double shortSide = options.paper == PaperSize::A4 ? 210 : options.paper == PaperSize::B4 ? 257 : 297;
    double longSide = options.paper == PaperSize::A4 ? 297 : options.paper == PaperSize::B4 ? 364 : 420;
    layout.widthMm = options.landscape ? longSide : shortSide;
    layout.heightMm = options.landscape ? shortSide : longSide;
    auto [drawing, information] = SplitSheet(layout, options.landscape);
    Extent extent = SubjectExtent(model);
    layout.scale = ChooseScale(extent, drawing, options, layout);
    layout.transform.scale = layout.scale;
    layout.transform.groundCentre = {(extent.minX + extent.maxX) / 2, (extent.minY + extent.maxY) / 2};
    layout.transform.paperCentre = {(drawing.left + drawing.right) / 2, (drawing.top + drawing.bottom) / 2};
    AddRect(layout, MapLayer::Frame,
            {kFrameMarginMm, kFrameMarginMm, layout.widthMm - kFrameMarginMm, layout.heightMm - kFrameMarginMm},
            kFrameLineMm);
    LayOutDrawing(model, drawing, layout);
    LayOutInformation(model, information, layout);
    if (IsDraftPaper(options.paper)) {
        layout.warnings.push_back(msg::DraftPaper(options.paper == PaperSize::A4 ? "A4" : "A3"));
    }
    return layout;
}

MapText CentredText(MapLayer layer, std::string text, PaperPoint centre, double height, double angle) {
    double width = TextWidth(text, height);
    return {layer, std::move(text), {centre, width / 2, height / 2, angle}};
}

MapText LeftText(MapLayer layer, std::string text, double left, double middleY, double height) {
    double width = TextWidth(text, height);
    return {layer, std::move(text), {{left + width / 2, middleY}, width / 2, height / 2, 0}};
}

void AddRect(SurveyMapLayout& layout, MapLayer layer, PaperRect r, double width) {
    layout.lines.push_back(
        {layer, {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}}, width, true});
}

} // namespace vemo::surveymap
