#include "core/surveymap/SurveyMapModel.h"

#include "core/parcels/AreaReports.h"
#include "core/parcels/LandCategoryChiseki.h"
#include "core/parcels/ParcelRing.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesParcels.h"
#include "core/text/MessagesSurveyMap.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <map>

namespace vemo::surveymap {

namespace {

int ParcelPosition(const BlockList& blocks, const std::string& name) {
    for (int p = 0; p < blocks.Count(); ++p) {
        if (blocks.At(p).BlockName == name) {
            return p;
        }
    }
    throw Error(msg::ParcelNotFound(name));
}

std::string Right(const std::string& text, size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// The drawing's 求積表 of one parcel: the ring table of the area report (the same rows, so the two never
// disagree) under a heading that names what each column holds, then 倍面積, 面積 and the one 地積 the
// register records for the parcel's 地目 (不動産登記規則 100条).  No 坪数: that is the client's figure.
std::vector<std::string> AreaTableLines(const std::vector<RingPoint>& ring, const ParcelAreaFigures& figures,
                                        const std::string& category) {
    // Columns as AreaTableRow sets them: name 13, X 12, Y 12, X difference 9, Y sum 12, product 17,
    // side 8 (CP932: one column a byte).
    std::string heading = Jp(" 点名") + std::string(8, ' ') + Right("X", 12) + Right("Y", 12) + Right("X-X(n-1)", 9) +
                          Right("Y+Y(n-1)", 12) + Right(Jp("倍面積の項"), 17) + Right(Jp("辺長"), 8);
    std::string rule(heading.size(), '-');
    std::vector<std::string> rows;
    for (size_t n = 1; n < ring.size(); ++n) {
        rows.push_back(AreaTableRow(ring[n], ring[n - 1]));
    }
    rows.push_back(AreaTableRow(ring.front(), ring.back()));
    size_t margin = std::string::npos;
    for (const std::string& row : rows) {
        margin = std::min(margin, row.find_first_not_of(' '));
    }
    std::vector<std::string> lines{rule, heading, rule};
    for (std::string& row : rows) {
        lines.push_back(row.substr(margin > 0 ? margin - 1 : 0)); // one blank before the name, as the heading
    }
    lines.push_back(rule);
    __int128 magnitude = figures.doubleAreaMm2 < 0 ? -figures.doubleAreaMm2 : figures.doubleAreaMm2;
    std::string doubled =
        figures.exact ? ScaledDecimal(figures.doubleAreaMm2 * 10, 7) : Sprintf("%.7f", figures.doubleArea);
    std::string area = figures.exact ? ScaledDecimal(magnitude * 5, 7) : Sprintf("%.7f", figures.area);
    const size_t figureColumn = 40;
    lines.push_back(std::string(figureColumn, ' ') + Jp("倍面積 ") + Right(doubled, 16) + Jp(" ㎡"));
    lines.push_back(std::string(figureColumn, ' ') + Jp("面　積 ") + Right(area, 16) + Jp(" ㎡"));
    lines.push_back(std::string(figureColumn, ' ') + Jp("地　積 ") +
                    Right(FormatCategoryChiseki(figures, category), 16) + Jp(" ㎡"));
    return lines;
}

class ModelBuilder {
public:
    ModelBuilder(const XyzList& list, const SiteSurveyInfo& info) : list_(list), info_(info) { index_.Rebuild(list); }

    void AddParcel(const BlockList& blocks, const std::string& name, bool subject) {
        int position = ParcelPosition(blocks, name);
        MapParcel parcel;
        parcel.name = name;
        parcel.subject = subject;
        if (const ParcelSurveyInfo* stated = info_.Parcel(name)) {
            parcel.category = stated->category;
        }
        for (const std::string& vertex : RingNames(blocks.At(position).NoList)) {
            parcel.ring.push_back(PointIndex(name, vertex));
        }
        if (parcel.ring.size() < 3) {
            throw Error(msg::ParcelTooFewPoints(name));
        }
        std::vector<RingPoint> ring = ParcelRingPoints(blocks.At(position).NoList, index_);
        parcel.figures = RingAreaFigures(ring);
        if (subject) {
            parcel.areaTable = AreaTableLines(ring, parcel.figures, parcel.category);
        }
        model_.parcels.push_back(std::move(parcel));
    }

    void AddControlPoints() {
        for (int row = 1; row < list_.RowCount(); ++row) {
            const std::string& name = list_.Cell(row, kColName);
            const std::string& kind = list_.Cell(row, kColTensyu);
            if (name.empty() || byName_.contains(name) || !IsControl(name, kind)) {
                continue;
            }
            std::optional<PointXY> found = index_.Find(name);
            if (found && found->row == row) {
                byName_[name] = -1;
                model_.controlPoints.push_back({name, {found->x, found->y}, kind, MarkerSymbol::DoubleCircle});
            }
        }
    }

    SurveyMapModel Take() { return std::move(model_); }

private:
    int PointIndex(const std::string& parcel, const std::string& name) {
        if (auto known = byName_.find(name); known != byName_.end()) {
            return known->second;
        }
        std::optional<PointXY> found = index_.Find(name);
        if (!found) {
            throw Error(msg::ParcelPointNotInList(parcel, name));
        }
        const std::string& kind = list_.Cell(found->row, kColTensyu);
        model_.points.push_back({name, {found->x, found->y}, kind, SymbolFor(info_.markers, kind)});
        return byName_[name] = static_cast<int>(model_.points.size()) - 1;
    }

    bool IsControl(const std::string& name, const std::string& kind) const {
        return std::find(info_.controlNames.begin(), info_.controlNames.end(), name) != info_.controlNames.end() ||
               std::any_of(info_.controlKinds.begin(), info_.controlKinds.end(),
                           [&](const std::string& k) { return !k.empty() && ContainsCharacters(kind, k); });
    }

    const XyzList& list_;
    const SiteSurveyInfo& info_;
    XyzNameIndex index_;
    std::map<std::string, int> byName_;
    SurveyMapModel model_;
};

std::vector<std::string> RoleNames(const SiteSurveyInfo& info, ParcelRole role) {
    std::vector<std::string> names;
    for (const ParcelSurveyInfo& parcel : info.parcels) {
        if (parcel.role == role) {
            names.push_back(parcel.name);
        }
    }
    return names;
}

} // namespace

SurveyMapModel BuildSurveyMapModel(const XyzList& list, const BlockList& blocks, const SurveyMapRequest& request,
                                   const SiteSurveyInfo& info) {
    bool fromFile = request.subjects.empty() && request.adjacents.empty();
    std::vector<std::string> subjects = fromFile ? RoleNames(info, ParcelRole::Subject) : request.subjects;
    std::vector<std::string> adjacents = fromFile ? RoleNames(info, ParcelRole::Adjacent) : request.adjacents;
    if (subjects.empty()) {
        throw Error(msg::NoSubjectParcel());
    }
    ModelBuilder builder(list, info);
    for (const std::string& name : subjects) {
        builder.AddParcel(blocks, name, true);
    }
    for (const std::string& name : adjacents) {
        if (std::find(subjects.begin(), subjects.end(), name) == subjects.end()) {
            builder.AddParcel(blocks, name, false);
        }
    }
    builder.AddControlPoints();
    SurveyMapModel model = builder.Take();
    model.title = info.title;
    model.zone = request.zone;
    model.markers = info.markers;
    return model;
}

} // namespace vemo::surveymap
