// A field book (ZUB) as observations of the network: the stations reduced to the mean of both faces and
// of their sets, as the rules reduce them before the adjustment.
#include "core/network/RouteNetwork.h"

#include "core/geometry/Angles.h"
#include "core/text/Bytes.h"
#include "core/text/MessagesNetwork.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsReduce.h"
#include "core/zub/ZubStationCheck.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace vemo {

namespace {

constexpr double kRadiansPerSecond = std::numbers::pi / 180.0 / 3600.0;

bool NumberOrEmpty(const std::string& field) {
    const std::string_view text = TrimView(field);
    return text.empty() || TryStrToFloat(std::string(text)).has_value();
}

bool HasNumber(const std::string& field) {
    const std::string_view text = TrimView(field);
    return !text.empty() && TryStrToFloat(std::string(text)).has_value();
}

// The targets a station read a horizontal angle to, from its D record to the next: a sight with a
// distance alone is no direction (the reduction counts it at 0°).
std::set<std::string> TargetsWithAngles(const std::vector<ZubRow>& rows, int stationRow) {
    std::set<std::string> targets;
    for (size_t i = static_cast<size_t>(stationRow); i < rows.size() && rows[i][0] != "D"; ++i) {
        if (rows[i][0] == "F" && HasNumber(rows[i][kZubHAngle])) {
            targets.insert(rows[i][kZubTarget]);
        }
    }
    return targets;
}

} // namespace

std::vector<std::string> RouteNetworkBuilder::AddFieldBook(const std::vector<ZubRow>& rows,
                                                           const TrvsKnownPoints& known) {
    std::vector<std::string> notes;
    bool setupSeen = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ZubRow& z = rows[i];
        const int zubRow = static_cast<int>(i) + 1;
        setupSeen = setupSeen || z[0] == "D";
        if (z[0] != "F") {
            continue;
        }
        if (!setupSeen) {
            notes.push_back(msg::ZubNote(zubRow, msg::ZubObservationBeforeSetup()));
        } else if (!NumberOrEmpty(z[kZubHAngle]) || !NumberOrEmpty(z[kZubVAngle])) {
            notes.push_back(msg::ZubNote(zubRow, msg::ZubObservationNotNumeric()));
        } else {
            for (int cell = kZubSlope1; cell < kZubSlope1 + 4; ++cell) {
                if (!NumberOrEmpty(z[cell])) {
                    notes.push_back(msg::ZubNote(zubRow, msg::ZubObservationNotNumeric()));
                    break;
                }
            }
        }
    }
    for (const ZubStationFigures& station : ReduceZubStations(rows)) {
        const std::string stationName(TrimView(station.station));
        const int from = PointIndex(stationName, known);
        const std::set<std::string> angled = TargetsWithAngles(rows, station.zubRow);
        // The reference is the first direction read; the angles of the others count from it.  A station
        // with one direction only orients itself and adds nothing: it makes no set.
        const bool referenceRead = !station.directions.empty() && angled.contains(station.directions.front().target);
        const auto directions = std::count_if(station.directions.begin(), station.directions.end(),
                                              [&](const auto& d) { return angled.contains(d.target); });
        const int set = referenceRead && directions >= 2 ? network_.directionSets++ : -1;
        for (const ZubStationFigures::Direction& d : station.directions) {
            const std::string targetName(TrimView(d.target));
            const int to = PointIndex(targetName, known);
            if (set >= 0 && angled.contains(d.target)) {
                network_.observations.push_back(
                    {ObservationKind::Direction, from, to, -1, set, d.angleSeconds * kRadiansPerSecond, sigmas_.angle});
            }
            if (!d.slope) {
                continue;
            }
            if (!d.zenithDegrees) {
                notes.push_back(msg::ZubNote(d.zubRow, msg::FieldBookDistanceWithoutZenith(stationName, targetName)));
                continue;
            }
            const double horizontal = trvs_detail::ReduceSlope(*d.slope, *d.zenithDegrees, true).hd;
            if (horizontal > 0.0) {
                network_.observations.push_back(
                    {ObservationKind::Distance, from, to, -1, -1, horizontal,
                     DistanceSigma(horizontal, sigmas_.distanceConstant, sigmas_.distanceRatio)});
            }
        }
    }
    return notes;
}

} // namespace vemo
