#pragma once

#include "core/zub/ZubRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

struct ObservationLimits;

// The figures of the observation checks of a station.
enum class ZubFigure { DoubleAngle, Observation, HeightConstant, DistanceWithinSet, DistanceBetweenSets };

// A cell of the field book: the record (1 = first record) and its column (kZubHAngle, kZubVAngle, a
// distance column).
struct ZubCell {
    int zubRow = 0;
    int column = 0;
    bool operator==(const ZubCell&) const = default;
};

// What one instrument station of a field book shows of its observations: the differences a surveyor
// checks in the field (倍角差, 観測差, 高度定数の較差, the spreads of the distances) and the station
// reduced to the mean of both faces and of its sets (対回).
//
// Definitions, per set and direction (the first direction of the station its reference): r and l the
// direct and reverse readings turned to the reference; 倍角 = r + l, 較差 = r - l; 倍角差 and 観測差
// are max - min of 倍角 and 較差 over the sets of a direction, the largest over the directions.
// 高度定数 = (z_r + z_l) - 360° for each pair of vertical readings; its 較差 is max - min over the pairs
// of the station.  Distances: the spread of the readings of one record (a set), and of the means of
// the records of one target (between sets), the largest over the station.
struct ZubStationFigures {
    std::string station;
    std::string instrumentHeight;
    int zubRow = 0; // the D record, 1 = first record
    int sets = 0;   // sets seen (the set digit of the observation numbers)
    bool bothFaces = false;
    std::optional<double> doubleAngleDiff;     // seconds, with two sets or more
    std::optional<double> observationDiff;     // seconds, with two sets or more
    std::optional<double> heightConstantDiff;  // seconds, with two vertical pairs or more
    std::optional<double> distanceWithinSet;   // millimetres
    std::optional<double> distanceBetweenSets; // millimetres

    // The station reduced: one direction per target in the order first sighted, the first the
    // reference (0°).
    struct Direction {
        std::string target;
        std::string targetHeight;
        int zubRow = 0;                      // the first record sighting it
        double angleSeconds = 0;             // clockwise from the reference, mean of faces and sets
        std::optional<double> zenithDegrees; // mean zenith angle, reverse readings turned to direct
        std::optional<double> slope;         // mean of every distance reading (m)
    };
    std::vector<Direction> directions;

    // Where each figure comes from, so that a value over its limit can be shown where it was read: the
    // 倍角差 and 観測差 of a direction (its horizontal readings), the 高度定数の較差 (the vertical
    // readings of the pairs at its two extremes), the spread of one record's distances, and of the
    // records of one target.  The station's figure is the largest of its sources.
    struct Source {
        ZubFigure figure;
        double value = 0;
        std::vector<ZubCell> cells;
    };
    std::vector<Source> sources;
};

// The stations of a field book, in order; F records before the first D record are left out.
std::vector<ZubStationFigures> ReduceZubStations(const std::vector<ZubRow>& rows);

// A book that holds reverse (反) observations as well as direct ones.
bool ZubHasBothFaces(const std::vector<ZubRow>& rows);

// One figure of a station over its limit.
struct ZubOverLimit {
    std::string station;
    const char* figure; // UTF-8 caption: "倍角差"
    double value;
    double limit;
    bool millimetres; // a distance spread; else seconds
};
std::vector<ZubOverLimit> ZubStationsOverLimit(const std::vector<ZubStationFigures>& stations,
                                               const ObservationLimits& limits);

// A cell behind a figure over its limit, one entry per figure: a cell read into two failing figures
// comes twice.
struct ZubCellOverLimit {
    ZubCell cell;
    const char* figure; // UTF-8 caption: "倍角差"
    double value;
    double limit;
    bool millimetres;
};
std::vector<ZubCellOverLimit> ZubCellsOverLimit(const std::vector<ZubStationFigures>& stations,
                                                const ObservationLimits& limits);

// The check table (CP932 lines): per station its sets and each figure, a figure over the limit
// marked "*"; with limits, a heading line naming them and a last line naming the stations that fail.
std::vector<std::string> ZubCheckLines(const std::vector<ZubStationFigures>& stations, const ObservationLimits* limits);

} // namespace vemo
