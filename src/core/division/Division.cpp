#include "core/division/Division.h"

#include "core/division/RingShape.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"
#include "core/text/MessagesDivisionSum.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>

namespace vemo {

namespace {

// The smallest target a division accepts (m²).
constexpr double kSmallestTarget = 0.0001;

} // namespace

void RequireSimpleParcel(const DivisionParcel& parcel) {
    if (!IsSimpleRing(parcel.points)) {
        throw Error(msg::DivisionBoundaryCrosses());
    }
}

DivisionParcel LoadDivisionParcel(const std::vector<std::string>& gridNames, const XyzNameIndex& index) {
    DivisionParcel parcel;
    for (const std::string& name : gridNames) {
        if (name.empty()) {
            continue;
        }
        if (!parcel.names.empty() && name == parcel.names.front()) {
            break; // the ring closes here
        }
        auto found = index.Find(name);
        if (!found) {
            throw Error(msg::NotFound(name));
        }
        parcel.names.push_back(name);
        parcel.points.push_back({found->x, found->y});
    }
    if (parcel.names.size() < 3) {
        throw Error(msg::DivisionParcelMissing());
    }
    parcel.area = MillimetreRingFigures(parcel.points).area;
    return parcel;
}

void CheckDivisionTarget(const DivisionParcel& parcel, double target) {
    if (!(target >= kSmallestTarget) || target >= parcel.area) { // also refuses a NaN
        throw Error(msg::DivisionAreaUnreachable());
    }
}

std::vector<PlanePoint> PartPoints(const DivisionParcel& parcel, const DivisionResult& result,
                                   const DivisionPart& part) {
    std::unordered_map<std::string, PlanePoint> at;
    for (size_t i = 0; i < parcel.names.size(); ++i) {
        at.emplace(parcel.names[i], parcel.points[i]);
    }
    std::vector<PlanePoint> points;
    for (const std::string& name : part.names) {
        if (name == kP1Placeholder) {
            points.push_back(result.p1);
        } else if (name == kP2Placeholder && result.p2) {
            points.push_back(*result.p2);
        } else if (auto it = at.find(name); it != at.end()) {
            points.push_back(it->second);
        }
    }
    return points;
}

namespace {

void TakeCorner(const DivisionParcel& parcel, const std::optional<PlanePoint>& p, const char* placeholder,
                std::string& vertex, DivisionResult& result) {
    if (!p) {
        return;
    }
    for (size_t i = 0; i < parcel.points.size(); ++i) {
        if (parcel.points[i] == *p) {
            vertex = parcel.names[i];
            break;
        }
    }
    if (vertex.empty()) {
        return;
    }
    for (DivisionPart* part : {&result.secured, &result.remainder}) {
        std::vector<std::string> names;
        for (const std::string& name : part->names) {
            const std::string& taken = name == placeholder ? vertex : name;
            if (names.empty() || names.back() != taken) {
                names.push_back(taken);
            }
        }
        part->names = std::move(names);
    }
}

// The distance of p from the nearest edge of the parcel (m).
double DistanceFromBoundary(const DivisionParcel& parcel, PlanePoint p) {
    double nearest = INFINITY;
    const size_t n = parcel.points.size();
    for (size_t i = 0; i < n; ++i) {
        const PlanePoint a = parcel.points[i], b = parcel.points[(i + 1) % n];
        const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
        double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
        t = std::clamp(t, 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)));
    }
    return nearest;
}

} // namespace

void CompleteDivision(const DivisionParcel& parcel, DivisionResult& result) {
    TakeCorner(parcel, result.p1, kP1Placeholder, result.p1Vertex, result);
    TakeCorner(parcel, result.p2, kP2Placeholder, result.p2Vertex, result);
    result.parcelArea = parcel.area;
    result.offBoundary = result.p1Vertex.empty() ? DistanceFromBoundary(parcel, result.p1) : 0.0;
    if (result.p2 && result.p2Vertex.empty()) {
        result.offBoundary = std::max(result.offBoundary, DistanceFromBoundary(parcel, *result.p2));
    }
}

std::vector<std::string> DivisionSumTexts(const DivisionResult& result) {
    const double sum = result.secured.figures.area + result.remainder.figures.area;
    const double difference = sum - result.parcelArea;
    std::vector<std::string> lines{Jp("元地 : ") + Sprintf("%14.7f ", result.parcelArea) + Jp("㎡"),
                                   Jp("合計 : ") + Sprintf("%14.7f ", sum) + Jp("㎡"),
                                   Jp("差   : ") + Sprintf("%14.7f ", difference) + Jp("㎡")};
    if (std::fabs(difference) >= 0.5e-7) { // what %14.7f shows as other than zero
        lines.push_back(msg::DivisionPartsDiffer(result.offBoundary * 1000));
    }
    return lines;
}

std::vector<std::string> DivisionAreaTexts(const ParcelAreaFigures& figures) {
    return {Jp("面積 : ") + Sprintf("%14.7f ", figures.area) + Jp("㎡"),
            Jp("地積 : ") + Sprintf("%9.2f ", figures.chiseki) + Jp("㎡"),
            Jp("坪数 : ") + Sprintf("%9.2f ", figures.tsubo) + Jp("坪")};
}

std::string DivisionExcessText(const DivisionResult& result) {
    return Jp("超過 : ") + Sprintf("%14.7f ", result.secured.figures.area - result.target) + Jp("㎡");
}

} // namespace vemo
