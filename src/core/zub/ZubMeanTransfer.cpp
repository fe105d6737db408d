// The transfer of a field book reduced to the mean of both faces and of the sets of each station.
#include "core/geometry/Angles.h"
#include "core/text/Bytes.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubStationCheck.h"
#include "core/zub/ZubTransfer.h"

#include <cmath>

namespace vemo {

namespace {

bool NumericOrEmpty(const std::string& field) {
    const std::string_view text = TrimView(field);
    return text.empty() || TryStrToFloat(std::string(text)).has_value();
}

std::string HeightCell(const std::string& field) {
    const std::string_view text = TrimView(field);
    return text.empty() ? std::string() : FormatPattern(StrToFloat(std::string(text)), "0.000");
}

} // namespace

ZubTraverse CollectZubMeanTraverse(const std::vector<ZubRow>& zubRows) {
    ZubTraverse result;
    bool setupSeen = false;
    int beyondLimit = 0;
    for (size_t i = 0; i < zubRows.size(); ++i) {
        const ZubRow& z = zubRows[i];
        const int zubRow = static_cast<int>(i) + 1;
        if (z[0] == "B") {
            result.remark = z[1];
            result.date = z[5];
        } else if (z[0] == "D") {
            setupSeen = true;
        } else if (z[0] == "F") {
            if (!setupSeen) {
                result.notes.push_back(msg::ZubNote(zubRow, msg::ZubObservationBeforeSetup()));
            } else if (!NumericOrEmpty(z[kZubHAngle]) || !NumericOrEmpty(z[kZubVAngle]) ||
                       !NumericOrEmpty(z[kZubSlope1]) || !NumericOrEmpty(z[kZubTargetHeight])) {
                result.notes.push_back(msg::ZubNote(zubRow, msg::ZubObservationNotNumeric()));
            }
        } else if (FindZubRecordKind(z[0]) == nullptr) {
            result.notes.push_back(msg::ZubNote(zubRow, msg::ZubRecordNotObservation(z[0])));
        }
    }
    for (const ZubStationFigures& station : ReduceZubStations(zubRows)) {
        if (result.startName.empty()) {
            result.startName = station.station;
        }
        bool first = true;
        for (const ZubStationFigures::Direction& d : station.directions) {
            if (static_cast<int>(result.rows.size()) >= kTrvsMaxRows) {
                ++beyondLimit;
                continue;
            }
            TrvsRow row;
            row[kTrvColInst] = station.station;
            row[kTrvColBack] = station.directions.front().target;
            row[kTrvColTarget] = d.target;
            row[kTrvColHAngle] = FormatPattern(SecondsToDms(std::llround(d.angleSeconds)), "0.0000");
            row[kTrvColVAngle] =
                d.zenithDegrees ? FormatPattern(SecondsToDms(std::llround(*d.zenithDegrees * 3600)), "0.0000") : "";
            row[kTrvColSlope] = d.slope ? FormatPattern(*d.slope, "0.000") : "";
            row[kTrvColInstH] =
                first && NumericOrEmpty(station.instrumentHeight) ? HeightCell(station.instrumentHeight) : "";
            row[kTrvColTargetH] = NumericOrEmpty(d.targetHeight) ? HeightCell(d.targetHeight) : "";
            if (result.rows.empty()) {
                result.backsightName = row[kTrvColBack];
            }
            first = false;
            result.rows.push_back(std::move(row));
            result.sourceRows.push_back(d.zubRow);
        }
    }
    if (beyondLimit > 0) {
        result.notes.push_back(msg::ZubObservationsBeyond(kTrvsMaxRows, beyondLimit));
    }
    return result;
}

} // namespace vemo
