#pragma once

#include "core/geometry/Angles.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Error.h"
#include "core/traverse/TrvsPrecision.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vemo {

// What the traverse computations return.  The listings, the plot's state and the registration are all
// built from these; the computations themselves write nowhere else.

// A point a computation placed, in its slot: 0 the start point, r the point of table row r.
struct TrvsPoint {
    int slot = 0;
    std::string name;
    double x = 0, y = 0, z = 0;
};

// A table row computed from its setup: what one line of a listing shows of it.
struct TrvsSight {
    int row = 0;
    std::string tm, instrument, backsight, target;
    double horizontalPacked = 0;  // the horizontal angle as entered (D.MMSS)
    double hd = 0;                // horizontal distance (m)
    double orientationPacked = 0; // orientation of the setup, backsight -> instrument (D.MMSS)
    double x = 0, y = 0, z = 0;   // the target

    TrvsPoint Point() const { return {row, target, x, y, z}; }
};

// A direction marker of the traverse plot: the tip of the dotted arrow showing a known direction.
struct TrvsMarker {
    double x = 0;
    double y = 0;
};

// The unadjusted traverse (ComputeRawTraverse).
struct RawTraverse {
    int trvsType = 0;
    // False while the start fields are incomplete: nothing was computed.
    bool started = false;
    TrvsPoint start;
    // Every row computed, in table order.
    std::vector<TrvsSight> sights;
    // Rows that could not be computed although they were complete, one CP932 message each.
    std::vector<std::string> problems;
    // Largest and smallest X and Y of the start point and the rows, widened to the coordinate list
    // when the run finished and the list spreads in both axes.
    XyzExtents extents;
    // Towards the start backsight; set when the run finished.
    std::optional<TrvsMarker> startMarker;
    // A connected traverse with its end fields filled: the end point (without a height), in the slot
    // after the rows, and the marker from it towards the end sighting point.
    struct End {
        TrvsPoint point;
        TrvsMarker marker;
    };
    std::optional<End> end;

    // Rows computed plus the end point.
    int PointCount() const { return static_cast<int>(sights.size()) + (end ? 1 : 0); }
};

// A station row of a closed or connected traverse: the angle measured at the station before it (from
// the one before that, or the start backsight) and the leg from that station to this row's target.
struct TrvsStation {
    int row = 0;
    std::string name;        // the target
    double anglePacked = 0;  // as measured (D.MMSS)
    int angleCorrection = 0; // seconds added by the distribution of the angle misclosure
    Dms adjustedAngle;       // after it
    double hd = 0;           // 0 without a slope distance
    double dz = 0;           // height difference with instrument and target heights, Z calculation on
    double dX = 0, dY = 0;   // latitude and departure of the leg, unrounded
    // After the distribution of the misclosure, to the millimetre, so that the column adds up to the
    // known difference exactly; 0 for a row without a leg.
    double adjX = 0, adjY = 0;
    double x = 0, y = 0, z = 0; // the adjusted target; the last station row places no point
};

// The adjusted traverse (AdjustTraverse).
struct AdjustedTraverse {
    int trvsType = 0;
    bool compassRule = true;
    bool zCalc = false;
    TrvsPoint start;
    TrvsPrecision precision;
    // The station rows in table order; empty when a cell stopped the run before the misclosure was
    // distributed.
    std::vector<TrvsStation> stations;
    // Legs over which the misclosure was distributed: every station row for a closed traverse, all but
    // the last for a connected one.
    int legs = 0;
    // The radial rows computed from the adjusted stations, in table order.
    std::vector<TrvsSight> radialSights;
    std::vector<std::string> problems;

    // The points placed, ascending by slot: the start point, every station row but the last, the
    // radial rows.  Nothing without stations.
    std::vector<TrvsPoint> Points() const;
};

// A computation stopped by a cell that does not parse: the cell's message, with what was computed
// before the cell, so that a listing keeps the lines up to it and the plot what was placed.
template <class Result> class TrvsStopped : public Error {
public:
    TrvsStopped(const Error& cause, Result partial) : Error(cause.what()), partial_(std::move(partial)) {}
    const Result& Partial() const { return partial_; }

private:
    Result partial_;
};

} // namespace vemo
