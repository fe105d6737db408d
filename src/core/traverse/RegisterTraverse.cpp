#include "core/traverse/RegisterTraverse.h"

#include "core/edit/NewPointNames.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

namespace vemo {

namespace {

class Collector {
public:
    Collector(const TrvsInput& input) : input_(input) {
        known_.push_back(input.header.T0No);
        if (input.header.TrvsType == kTrvsConnected) {
            known_.push_back(input.header.T2No);
        }
    }

    void Add(const TrvsPoints& points, int slot) {
        const std::string& name = points.name[slot];
        if (IsKnownPoint(name)) {
            return;
        }
        points_.push_back({name, FormatPattern(points.x[slot], "0.000"), FormatPattern(points.y[slot], "0.000"),
                           input_.table.ZCalc() ? FormatPattern(points.z[slot], "0.000") : "0.000"});
    }
    std::vector<TrvsRegisteredPoint> Take() { return std::move(points_); }

private:
    // The start point (and the end point of a connected traverse) taken from the coordinate list.
    bool IsKnownPoint(const std::string& name) const {
        for (const std::string& known : known_) {
            if (!TrimView(known).empty() && name == known && input_.known.Find(name)) {
                return true;
            }
        }
        return false;
    }

    const TrvsInput& input_;
    std::vector<std::string> known_;
    std::vector<TrvsRegisteredPoint> points_;
};

} // namespace

std::optional<TrvsRegistration> PlanTraverseRegistration(TrvsState& state, const TrvsInput& input) {
    ComputeRawTraverse(state, input);
    if (state.TrvsPointCount == 0) {
        return std::nullopt;
    }
    TrvsRegistration registration;
    Collector collector(input);
    const int type = input.header.TrvsType;
    if (type == kTrvsOpen || type == kTrvsRadial) {
        const TrvsPoints& points = state.TrvsRawPoints;
        // rawSlots holds exactly the slots this run computed, so a point that lies on an axis is
        // registered like any other.
        for (int slot : state.rawSlots) {
            if (!points.name[slot].empty()) {
                collector.Add(points, slot);
            }
        }
    } else if ((registration.precision = AdjustTraverse(state, input))) {
        for (int slot : state.adjSlots) {
            collector.Add(state.TrvsAdjPoints, slot);
        }
    }
    registration.points = collector.Take();
    return registration;
}

namespace {

std::vector<NewPoint> PointsToWrite(const std::vector<TrvsRegisteredPoint>& points, const XyzList& list) {
    const NewPointNames names(list);
    std::vector<NewPoint> fresh;
    for (const TrvsRegisteredPoint& p : points) {
        // A point computed onto the coordinates it already has in the list is there already: leave it
        // rather than ask about it.
        const std::vector<int>& rows = names.RowsOf(p.name);
        if (rows.size() != 1 || TrimView(list.Cell(rows[0], kColX)) != p.x ||
            TrimView(list.Cell(rows[0], kColY)) != p.y) {
            fresh.push_back({p.name, p.x, p.y, p.z, "Trvs:"});
        }
    }
    return fresh;
}

} // namespace

std::vector<std::string> WrittenTraversePoints(const std::vector<TrvsRegisteredPoint>& points, const XyzList& list) {
    std::vector<std::string> names;
    for (const NewPoint& point : PointsToWrite(points, list)) {
        names.push_back(point.name);
    }
    return names;
}

int WriteTraverseRegistration(const std::vector<TrvsRegisteredPoint>& points, XyzList& list,
                              const AskReplacePoints& askReplace) {
    const std::vector<NewPoint> fresh = PointsToWrite(points, list);
    RegisterNewPoints(list, fresh, RegistrationAnchorRow(list) + 1, askReplace);
    return static_cast<int>(fresh.size());
}

std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list,
                                    const AskReplacePoints& askReplace) {
    const std::optional<TrvsRegistration> registration = PlanTraverseRegistration(state, input);
    if (!registration) {
        return std::nullopt;
    }
    return WriteTraverseRegistration(registration->points, list, askReplace);
}

} // namespace vemo
