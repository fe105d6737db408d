#include "core/network/RouteNetwork.h"

#include "core/geometry/Angles.h"
#include "core/text/Bytes.h"
#include "core/text/Numbers.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsReduce.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>

namespace vemo {

int RouteNetworkBuilder::PointIndex(const std::string& name, const TrvsKnownPoints& known) {
    const auto found = index_.find(name);
    if (found != index_.end()) {
        return found->second;
    }
    NetworkPoint point;
    point.name = name;
    if (const auto listed = known.Find(name)) {
        point.role = NetworkPointRole::Fixed;
        point.hasCoordinates = true;
        point.x = listed->x;
        point.y = listed->y;
    }
    const int index = static_cast<int>(network_.points.size());
    network_.points.push_back(point);
    index_[name] = index;
    return index;
}

void RouteNetworkBuilder::Fix(int point, double x, double y) {
    NetworkPoint& p = network_.points[static_cast<size_t>(point)];
    p.role = NetworkPointRole::Fixed;
    p.hasCoordinates = true;
    p.x = x;
    p.y = y;
}

void RouteNetworkBuilder::Approximate(int point, double x, double y) {
    NetworkPoint& p = network_.points[static_cast<size_t>(point)];
    if (!p.hasCoordinates) {
        p.hasCoordinates = true;
        p.x = x;
        p.y = y;
    }
}

void RouteNetworkBuilder::AddAzimuth(int from, int to, double degrees) {
    network_.observations.push_back(
        {ObservationKind::Azimuth, from, to, -1, -1, DegToRad(trvs_detail::ReduceDirection(degrees)), sigmas_.angle});
}

std::vector<std::string> RouteNetworkBuilder::AddRoute(const TrvsHeader& header, const TrvsTable& table,
                                                       const TrvsOptions& options, const TrvsKnownPoints& known) {
    const RawTraverse raw = ComputeRawTraverse(TrvsInput{header, table, options, known});
    if (!raw.started) {
        return raw.problems;
    }
    const int start = PointIndex(header.T0No, known);
    Fix(start, HeaderNumber(header.T0X), HeaderNumber(header.T0Y));
    const bool connected = header.TrvsType == kTrvsConnected && !header.T2No.empty();
    int end = -1;
    if (connected) {
        end = PointIndex(header.T2No, known);
        Fix(end, HeaderNumber(header.T2X), HeaderNumber(header.T2Y));
    }
    std::string lastLegStation;
    bool sightedEnd = false; // the end sighting point computed as a row of its own: its angle is in already
    for (const TrvsSight& sight : raw.sights) {
        const int instrument = PointIndex(sight.instrument, known);
        const int target = PointIndex(sight.target, known);
        Approximate(target, sight.x, sight.y);
        const double horizontal = DmsToDeg(sight.horizontalPacked);
        if (sight.instrument == header.T0No && sight.backsight == header.T1No) {
            // From the start, the known direction stands for the backsight.
            AddAzimuth(instrument, target, trvs_detail::SightDirection(StartOrientation(header), horizontal));
        } else {
            network_.observations.push_back({ObservationKind::Angle, instrument, target,
                                             PointIndex(sight.backsight, known), -1, DegToRad(horizontal),
                                             sigmas_.angle});
        }
        if (sight.hd > 0.0) {
            network_.observations.push_back({ObservationKind::Distance, instrument, target, -1, -1, sight.hd,
                                             DistanceSigma(sight.hd, sigmas_.distanceConstant, sigmas_.distanceRatio)});
        }
        if (connected && sight.target == header.T2No) {
            lastLegStation = sight.instrument;
        }
        sightedEnd = sightedEnd || (connected && sight.target == header.T3No);
    }
    // The closing angle at the end point, towards the end sighting point: a row without a distance.
    if (connected && !sightedEnd && !lastLegStation.empty() && !TrimView(header.T3Angle).empty()) {
        for (int row = table.RowCount() - 1; row >= 1; --row) {
            if (table.Cell(row, kTrvColTarget) == header.T3No && !trvs_detail::CellEmpty(table, row, kTrvColHAngle)) {
                const double closing = DmsToDeg(trvs_detail::CellNumber(table, row, kTrvColHAngle));
                AddAzimuth(end, PointIndex(lastLegStation, known), DmsToDeg(EndOutgoingPacked(header)) - closing);
                break;
            }
        }
    }
    return raw.problems;
}

} // namespace vemo
