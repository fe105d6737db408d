// The radial rows of a closed or connected traverse, computed from the adjusted stations.
#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/geometry/Rounding.h"
#include "core/text/MessagesTraverse.h"
#include "core/traverse/AdjustRun.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsTable.h"

namespace vemo::trvs_detail {

void AdjustRun::RadialRows() {
    const TrvsTable& table = in_.table;
    const TrvsHeader& h = in_.header;
    instrument_ = h.T0No;
    backsight_ = h.T1No;
    ix_ = x0_;
    iy_ = y0_;
    iz_ = z0_;
    orientation_ = StartOrientation(h);
    placed_.Add(result_.start);
    TrvsHeights heights;
    size_t legsPassed = 0; // station rows passed so far
    const std::vector<TrvsStation>& stations = result_.stations;
    for (int row = 1; row < table.RowCount(); ++row) {
        if (zCalc_) {
            heights.Take(table, row);
        }
        if (legsPassed < stations.size() && stations[legsPassed].row == row) {
            MoveToStation(legsPassed);
            if (legsPassed + 1 < stations.size()) {
                const TrvsStation& s = stations[legsPassed];
                placed_.Add({s.row, s.name, s.x, s.y, s.z});
            }
            ++legsPassed;
        } else if (table.Cell(row, kTrvColTm) != "T" && RowObserved(table, row) && RadialSetup(row)) {
            ComputeRadialRow(row, heights);
        }
    }
}

// Station row `legsPassed` + 1 is observed from station `legsPassed`: from the second station row on,
// the instrument stands on the station the previous row observed, sighting back to the one before it.
void AdjustRun::MoveToStation(size_t legsPassed) {
    if (legsPassed == 0) {
        return; // the first station row is observed from the start setup
    }
    const std::vector<TrvsStation>& stations = result_.stations;
    const TrvsStation& at = stations[legsPassed - 1];
    const bool fromStart = legsPassed == 1;
    const double bx = fromStart ? x0_ : stations[legsPassed - 2].x;
    const double by = fromStart ? y0_ : stations[legsPassed - 2].y;
    Inverse back = InversePoints(bx, by, at.x, at.y);
    setupValid_ = back.direction.has_value();
    orientation_ = back.direction.value_or(orientation_);
    instrument_ = at.name;
    backsight_ = fromStart ? in_.header.T0No : stations[legsPassed - 2].name;
    ix_ = at.x;
    iy_ = at.y;
    iz_ = at.z;
}

void AdjustRun::ComputeRadialRow(int row, const TrvsHeights& heights) {
    const TrvsTable& table = in_.table;
    const double horizontal = CellNumber(table, row, kTrvColHAngle);
    const double vertical = DmsToDeg(CellNumber(table, row, kTrvColVAngle));
    Reduction r = ReduceSlope(CellNumber(table, row, kTrvColSlope), vertical, in_.options.ZenithAngles());
    double x = 0, y = 0;
    Polar(ix_, iy_, r.hd, SightDirection(orientation_, DmsToDeg(horizontal)), x, y);
    // Without Z calculation no height is carried through the traverse, so none is claimed here.
    const double z = zCalc_ ? RoundMillimetre(iz_ + r.dv + heights.ih - heights.th) : 0.0;
    const TrvsSight& sight = result_.radialSights.emplace_back(
        TrvsSight{row, table.Cell(row, kTrvColTm), instrument_, backsight_, table.Cell(row, kTrvColTarget), horizontal,
                  r.hd, DegToDms(orientation_), x, y, z});
    placed_.Add(sight.Point());
}

// A radial row with its own instrument and backsight sets up there; otherwise it is a side shot from
// the setup in force.  False when the row cannot be computed.
bool AdjustRun::RadialSetup(int row) {
    const TrvsTable& table = in_.table;
    const std::string& instName = table.Cell(row, kTrvColInst);
    const std::string& backName = table.Cell(row, kTrvColBack);
    auto refuse = [&](const std::string& what) {
        result_.problems.push_back(msg::TraverseRow(row, what));
        return false;
    };
    if (instName.empty() || backName.empty()) {
        return setupValid_ || refuse(msg::SetupSamePosition(instrument_));
    }
    if (instName == backName) {
        return refuse(msg::SetupSamePoint(instName));
    }
    FoundPoint inst = FindSetupPoint(instName, in_.known, placed_, zCalc_);
    if (!inst.found) {
        return refuse(msg::InstrumentNotFound(instName));
    }
    FoundPoint back = FindSetupPoint(backName, in_.known, placed_, zCalc_);
    if (!back.found) {
        return refuse(msg::BacksightNotFound(backName));
    }
    Inverse orientation = InversePoints(back.x, back.y, inst.x, inst.y);
    if (!orientation.direction) {
        return refuse(msg::SetupSamePosition(instName));
    }
    instrument_ = instName;
    backsight_ = backName;
    ix_ = inst.x;
    iy_ = inst.y;
    iz_ = inst.z;
    orientation_ = *orientation.direction;
    setupValid_ = true;
    return true;
}

} // namespace vemo::trvs_detail
