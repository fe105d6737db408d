#include "core/division/Division.h"

#include "core/division/RingShape.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"
#include "core/text/Numbers.h"

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

std::vector<std::string> DivisionAreaTexts(const ParcelAreaFigures& figures) {
    return {Jp("面積 : ") + Sprintf("%14.7f ", figures.area) + Jp("㎡"),
            Jp("地積 : ") + Sprintf("%9.2f ", figures.chiseki) + Jp("㎡"),
            Jp("坪数 : ") + Sprintf("%9.2f ", figures.tsubo) + Jp("坪")};
}

std::string DivisionExcessText(const DivisionResult& result) {
    return Jp("超過 : ") + Sprintf("%14.7f ", result.secured.figures.area - result.target) + Jp("㎡");
}

} // namespace vemo
