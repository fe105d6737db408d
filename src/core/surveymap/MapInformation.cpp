// The information column of the survey map: title block, legend and tables.
#include "core/surveymap/MapParts.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesSurveyMap.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <set>

namespace vemo::surveymap {

namespace {

constexpr double kTitleRowMm = 6.0;
constexpr double kTitleTextMm = 3.0;
constexpr double kTitleLabelMm = 26.0;
constexpr double kTableTextMaxMm = 2.4;
constexpr double kTableTextMinMm = 2.0; // the smallest a reviewer reads
constexpr double kLineSpacing = 1.3;    // line pitch in character heights

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const std::string& part : parts) {
        joined += (joined.empty() ? "" : separator) + part;
    }
    return joined;
}

std::string ZoneText(int zone) {
    return zone > 0 ? Jp("平面直角座標系 第") + std::to_string(zone) + Jp("系") : std::string();
}

struct TitleRow {
    const char* label;
    std::string value;
    std::string (*missing)(); // the warning when a required item is empty; nullptr: optional
};

std::vector<TitleRow> TitleRows(const SurveyMapModel& model) {
    std::vector<std::string> subjects;
    for (const MapParcel& parcel : model.parcels) {
        if (parcel.subject) {
            subjects.push_back(parcel.name);
        }
    }
    const SurveyTitle& t = model.title;
    std::string maker = Join({t.office, t.surveyor}, " ");
    return {{"地番区域", t.district, &msg::DistrictMissing},
            {"地番", Join(subjects, Jp("、")), nullptr},
            {"縮尺", "", nullptr}, // filled in by the caller
            {"座標系", ZoneText(model.zone), &msg::ZoneUnknown},
            {"求積方法", Jp("座標法（求積表による）"), nullptr},
            {"測量年月日", t.surveyDate, &msg::SurveyDateMissing},
            {"作成年月日", t.madeDate, &msg::CreatedDateMissing},
            {"作成者", maker, &msg::MapMakerMissing},
            {"申請人", t.applicant, &msg::ApplicantMissing}};
}

// The title and the block of label/value rows at the top of the column; returns its bottom.
double AddTitleBlock(const SurveyMapModel& model, PaperRect area, SurveyMapLayout& layout) {
    layout.texts.push_back(
        CentredText(MapLayer::Title, Jp("地積測量図"), {(area.left + area.right) / 2, area.top + 4}, 7));
    double top = area.top + 10;
    std::vector<TitleRow> rows = TitleRows(model);
    rows[2].value = "1/" + std::to_string(layout.scale);
    double y = top;
    for (const TitleRow& row : rows) {
        if (row.value.empty() && row.missing == nullptr) {
            continue;
        }
        if (row.value.empty()) {
            layout.warnings.push_back(row.missing());
        }
        double middle = y + kTitleRowMm / 2;
        layout.texts.push_back(LeftText(MapLayer::Title, Jp(row.label), area.left + 1.5, middle, kTitleTextMm));
        layout.texts.push_back(
            LeftText(MapLayer::Title, row.value, area.left + kTitleLabelMm + 1.5, middle, kTitleTextMm));
        y += kTitleRowMm;
        layout.lines.push_back({MapLayer::Frame, {{area.left, y}, {area.right, y}}, kThinLineMm});
    }
    AddRect(layout, MapLayer::Frame, {area.left, top, area.right, y}, kBoldLineMm);
    layout.lines.push_back(
        {MapLayer::Frame, {{area.left + kTitleLabelMm, top}, {area.left + kTitleLabelMm, y}}, kThinLineMm});
    return y;
}

// The symbols in use with the marker kinds they stand for.
double AddLegend(const SurveyMapModel& model, PaperRect area, double top, SurveyMapLayout& layout) {
    std::vector<std::pair<MarkerSymbol, std::string>> entries;
    std::set<std::string> seen;
    for (const MapPoint& point : model.points) {
        std::string text = point.kind.empty() ? Jp("境界標なし") : FullWidthKana(point.kind); // one entry a kind
        if (seen.insert(text).second) {
            entries.emplace_back(point.symbol, text);
        }
    }
    if (!model.controlPoints.empty()) {
        entries.emplace_back(MarkerSymbol::DoubleCircle, Jp("基準点"));
    }
    double y = top + 4;
    layout.texts.push_back(LeftText(MapLayer::Legend, Jp("凡例"), area.left, y, 3));
    double x = area.left + 12;
    for (const auto& [symbol, text] : entries) {
        double width = 4 + TextWidth(text, 2.5) + 4;
        if (x + width > area.right) {
            x = area.left + 12;
            y += 4.5;
        }
        layout.markers.push_back({MapLayer::Legend, {x + 1, y}, symbol, 1.8});
        layout.texts.push_back(LeftText(MapLayer::Legend, text, x + 3.5, y, 2.5));
        x += width;
    }
    return y + 4;
}

struct TextBlock {
    std::vector<std::string> lines; // CP932, fixed pitch
};

std::vector<TextBlock> TableBlocks(const SurveyMapModel& model) {
    std::vector<TextBlock> blocks;
    for (const MapParcel& parcel : model.parcels) {
        if (!parcel.subject) {
            continue;
        }
        TextBlock block;
        block.lines.push_back(Jp("求積表（座標法）  地番 ") + parcel.name +
                              (parcel.category.empty() ? "" : Jp("  地目 ") + parcel.category));
        block.lines.insert(block.lines.end(), parcel.areaTable.begin(), parcel.areaTable.end());
        blocks.push_back(std::move(block));
    }
    auto coordinateTable = [](std::string heading, const std::vector<MapPoint>& points) {
        TextBlock block;
        block.lines.push_back(std::move(heading));
        // Cells: the name in 14, X and Y right-aligned in 14 each, as the rows below.
        block.lines.push_back(Jp("点名") + std::string(19, ' ') + Jp("X座標") + std::string(9, ' ') + Jp("Y座標") +
                              "  " + Jp("境界標"));
        for (const MapPoint& point : points) {
            block.lines.push_back(Sprintf("%-14s%14.3f%14.3f  ", point.name.c_str(), point.at.x, point.at.y) +
                                  (point.kind.empty() ? Jp("なし") : point.kind));
        }
        return block;
    };
    blocks.push_back(coordinateTable(Jp("筆界点座標表  ") + ZoneText(model.zone), model.points));
    if (!model.controlPoints.empty()) {
        blocks.push_back(coordinateTable(Jp("基準点（測量の基礎とした点）"), model.controlPoints));
    }
    return blocks;
}

// Puts the blocks' lines down in columns; returns the lines left over when the area is full.
size_t Flow(const std::vector<TextBlock>& blocks, PaperRect area, double height, SurveyMapLayout* layout) {
    double pitch = height * kLineSpacing;
    double x = area.left, y = area.top, columnWidth = 0;
    size_t left = 0;
    bool full = false;
    for (const TextBlock& block : blocks) {
        double width = 0;
        for (const std::string& line : block.lines) {
            width = std::max(width, TextWidth(line, height));
        }
        for (size_t n = 0; n < block.lines.size(); ++n) {
            // A block starts in a new column when its heading and first rows would not fit below.
            bool startsBlock = n == 0 && y > area.top;
            if (!full && (y + pitch > area.bottom || (startsBlock && y + pitch * 4 > area.bottom))) {
                x += columnWidth + 4;
                y = area.top;
                columnWidth = 0;
            }
            if (!full && x + width > area.right) {
                full = true;
            }
            if (full) {
                ++left;
                continue;
            }
            columnWidth = std::max(columnWidth, width);
            if (layout != nullptr) {
                layout->texts.push_back(LeftText(MapLayer::Table, block.lines[n], x, y + pitch / 2, height));
            }
            y += pitch;
        }
        y += pitch;
    }
    return left;
}

} // namespace

// What a reviewer would refuse beyond the title block: a parcel without its 地目, a marker kind the
// symbols do not know (drawn as a plain point, which says "no marker"), no control point to tie the
// survey to.
void CheckItems(const SurveyMapModel& model, SurveyMapLayout& layout) {
    for (const MapParcel& parcel : model.parcels) {
        if (parcel.category.empty()) {
            layout.warnings.push_back(msg::CategoryMissing(parcel.name));
        }
    }
    std::vector<std::pair<std::string, std::vector<const MapPoint*>>> unknown;
    for (const MapPoint& point : model.points) {
        if (point.kind.empty() || point.symbol != MarkerSymbol::Plain) {
            continue;
        }
        auto found = std::find_if(unknown.begin(), unknown.end(), [&](const auto& u) { return u.first == point.kind; });
        (found != unknown.end() ? found->second
                                : unknown.emplace_back(point.kind, std::vector<const MapPoint*>{}).second)
            .push_back(&point);
    }
    for (const auto& [kind, points] : unknown) {
        layout.warnings.push_back(msg::UnknownMarkerKind(kind, points.front()->name, points.size()));
    }
    if (model.controlPoints.empty()) {
        layout.warnings.push_back(msg::NoControlPoint());
    }
}

void LayOutInformation(const SurveyMapModel& model, PaperRect area, SurveyMapLayout& layout) {
    CheckItems(model, layout);
    if (!model.source.empty()) {
        // The last line of the column, in the tables' smallest size or smaller where it is long.
        const double height =
            std::min(kTableTextMinMm, kTableTextMinMm * area.Width() / TextWidth(model.source, kTableTextMinMm));
        layout.texts.push_back(LeftText(MapLayer::Title, model.source, area.left, area.bottom - height / 2, height));
        area.bottom -= height * kLineSpacing * 2;
    }
    double y = AddTitleBlock(model, area, layout);
    y = AddLegend(model, area, y + 2, layout);
    PaperRect tables{area.left, y + 3, area.right, area.bottom};
    std::vector<TextBlock> blocks = TableBlocks(model);
    double height = kTableTextMaxMm;
    while (height > kTableTextMinMm + 1e-9 && Flow(blocks, tables, height, nullptr) > 0) {
        height -= 0.1;
    }
    size_t left = Flow(blocks, tables, height, &layout);
    if (left > 0) {
        layout.warnings.push_back(msg::TablesCutShort(left));
    }
}

} // namespace vemo::surveymap
