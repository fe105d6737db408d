#include "core/surveymap/SurveyMapModel.h"

#include "core/parcels/AreaReports.h"
#include "core/parcels/ParcelRing.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesParcels.h"
#include "core/text/MessagesSurveyMap.h"

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

// The report's lines of one parcel (from its name to the rule under its figures), without the
// report's left margin: the drawing's table is the report, not a second computation of it.
std::vector<std::string> AreaTableLines(const BlockList& blocks, int position, const XyzNameIndex& index,
                                        const std::string& category) {
    std::vector<ReportLine> report =
        AreaReportLines(blocks, {position}, index, [&](const std::string&) { return category; });
    const std::string& name = blocks.At(position).BlockName;
    auto first = std::find_if(report.begin(), report.end(), [&](const ReportLine& line) {
        size_t start = line.text.find_first_not_of(' ');
        return start != std::string::npos && line.text.compare(start, std::string::npos, name) == 0;
    });
    std::vector<std::string> lines;
    for (auto it = first; it != report.end() && !it->text.empty(); ++it) {
        lines.push_back(it->text);
    }
    size_t margin = std::string::npos;
    for (const std::string& line : lines) {
        margin = std::min(margin, line.find_first_not_of(' '));
    }
    for (std::string& line : lines) {
        line.erase(0, std::min(margin, line.size()));
    }
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
        parcel.figures = ParcelFigures(blocks.At(position).NoList, index_);
        if (subject) {
            parcel.areaTable = AreaTableLines(blocks, position, index_, parcel.category);
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
