#include "core/traverse/ComputeRawTraverse.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/geometry/Rounding.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsPlausible.h"
#include "core/traverse/TrvsReduce.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <algorithm>
#include <cmath>

namespace vemo {

using namespace trvs_detail;

namespace {

// The instrument set up for the rows being computed.
struct Setup {
    std::string instrument;
    std::string backsight;
    double x = 0, y = 0, z = 0;
    double orientation = 0; // decimal degrees, backsight -> instrument
};

class RawRun {
public:
    RawRun(TrvsState& state, const TrvsInput& in, std::vector<std::string>* listing)
        : state_(state), in_(in), table_(in.table), points_(state.TrvsRawPoints), listing_(listing) {}

    void Run();

private:
    bool PlaceSetup(int row);
    bool NextLegSetup(int row);
    bool ExplicitSetup(int row);
    void ComputeRow(int row);
    void FinishForPlot();
    void Refuse(int row, const char* what, const std::string& name = std::string());
    // Recorded at once, so that a conversion error later in the table leaves the list of what was
    // written true.
    void Written(int slot, const std::string& name) {
        written_.Add(slot, name);
        state_.rawSlots.push_back(slot);
    }

    TrvsState& state_;
    const TrvsInput& in_;
    const TrvsTable& table_;
    TrvsPoints& points_;
    std::vector<std::string>* listing_;
    WrittenSlots written_;
    Setup setup_;
    TrvsHeights heights_;
    int legRow_ = 0;       // current leg row: its point is where the next leg is observed from
    int previousSlot_ = 0; // slot of the station before it
};

void RawRun::Refuse(int row, const char* what, const std::string& name) {
    state_.problems.push_back(RowProblem(row, Jp(what) + name));
}

void RawRun::Run() {
    const TrvsHeader& h = in_.header;
    setup_.instrument = h.T0No;
    setup_.backsight = h.T1No;
    setup_.x = HeaderNumber(h.T0X);
    setup_.y = HeaderNumber(h.T0Y);
    setup_.z = HeaderNumber(h.T0Z);
    setup_.orientation = StartOrientation(h);
    points_.Set(0, h.T0No, setup_.x, setup_.y, setup_.z);
    Written(0, h.T0No);
    state_.TrvsExtents = {setup_.x, setup_.x, setup_.y, setup_.y};
    if (listing_) {
        AppendRawListingHead(*listing_, h.TrvsType);
        listing_->push_back(ListingStartLine(h.T0No, setup_.x, setup_.y, setup_.z));
    }
    for (int row = 1; row < table_.RowCount(); ++row) {
        // Heights pass down every row, computed or not: an empty cell means "as above".
        heights_.Take(table_, row);
        if (RowObserved(table_, row) && PlaceSetup(row)) {
            ComputeRow(row);
        }
    }
    FinishForPlot();
}

// Chooses the instrument, backsight and orientation of a row; false when the row cannot be computed.
bool RawRun::PlaceSetup(int row) {
    const bool leg = table_.Cell(row, kTrvColTm) != "K";
    if (leg && legRow_ == 0) {
        // The first leg is observed from the start setup, whatever columns 2 and 3 say.
        legRow_ = row;
        previousSlot_ = 0;
        return true;
    }
    const std::string& instrument = table_.Cell(row, kTrvColInst);
    if (!instrument.empty() && instrument == table_.Cell(row, kTrvColBack)) {
        Refuse(row, "器械点と後視点が同じです: ", instrument);
        return false;
    }
    if (leg) {
        return NextLegSetup(row);
    }
    if (!instrument.empty() && !table_.Cell(row, kTrvColBack).empty()) {
        return ExplicitSetup(row);
    }
    return true; // a side shot from the setup in force
}

// A leg after the first moves the instrument to the point of the previous leg, sighting back to the
// station before it.
bool RawRun::NextLegSetup(int row) {
    const int at = legRow_;
    Inverse back = InversePoints(points_.x[previousSlot_], points_.y[previousSlot_], points_.x[at], points_.y[at]);
    if (!back.direction) {
        Refuse(row, "器械点と後視点が同じ位置です: ", points_.name[at]);
        return false;
    }
    setup_ = {points_.name[at], points_.name[previousSlot_], points_.x[at], points_.y[at], points_.z[at],
              *back.direction};
    previousSlot_ = at;
    legRow_ = row;
    return true;
}

bool RawRun::ExplicitSetup(int row) {
    const std::string& instName = table_.Cell(row, kTrvColInst);
    const std::string& backName = table_.Cell(row, kTrvColBack);
    const bool zCalc = table_.ZCalc();
    FoundPoint inst = FindSetupPoint(instName, in_.known, points_, written_, zCalc);
    if (!inst.found) {
        Refuse(row, "器械点が見つかりません: ", instName);
        return false;
    }
    FoundPoint back = FindSetupPoint(backName, in_.known, points_, written_, zCalc);
    if (!back.found) {
        Refuse(row, "後視点が見つかりません: ", backName);
        return false;
    }
    Inverse orientation = InversePoints(back.x, back.y, inst.x, inst.y);
    if (!orientation.direction) {
        Refuse(row, "器械点と後視点が同じ位置です: ", instName);
        return false;
    }
    setup_ = {instName, backName, inst.x, inst.y, inst.z, *orientation.direction};
    return true;
}

void RawRun::ComputeRow(int row) {
    const double horizontal = CellNumber(table_, row, kTrvColHAngle);
    const double vertical = DmsToDeg(CellNumber(table_, row, kTrvColVAngle));
    Reduction r = ReduceSlope(CellNumber(table_, row, kTrvColSlope), vertical, in_.options.ZenithAngles());
    const double direction = SightDirection(setup_.orientation, DmsToDeg(horizontal));
    double x = 0, y = 0;
    Polar(setup_.x, setup_.y, r.hd, direction, x, y);
    const double z = RoundMillimetre(setup_.z + r.dv + heights_.ih - heights_.th);
    const std::string& target = table_.Cell(row, kTrvColTarget);
    points_.Set(row, target, x, y, z);
    Written(row, target);
    state_.TrvsPointCount += 1;
    XyzExtents& e = state_.TrvsExtents;
    e.minX = std::min(e.minX, x);
    e.maxX = std::max(e.maxX, x);
    e.minY = std::min(e.minY, y);
    e.maxY = std::max(e.maxY, y);
    if (listing_) {
        listing_->push_back(ListingRowLine({row, table_.Cell(row, kTrvColTm), setup_.instrument, setup_.backsight,
                                            target, horizontal, r.hd, DegToDms(setup_.orientation), x, y, z}));
    }
}

// The plot's extents take in the coordinate list; the markers show the known directions.
void RawRun::FinishForPlot() {
    XyzExtents& e = state_.TrvsExtents;
    if (auto list = in_.known.Extents()) {
        if (list->maxX - list->minX > 0.0001 && list->maxY - list->minY > 0.0001) {
            e.minX = std::min(e.minX, list->minX);
            e.maxX = std::max(e.maxX, list->maxX);
            e.minY = std::min(e.minY, list->minY);
            e.maxY = std::max(e.maxY, list->maxY);
        }
    }
    const TrvsHeader& h = in_.header;
    const double length = 0.1 * (e.maxX - e.minX) + 0.1 * (e.maxY - e.minY);
    const double toBacksight = DegToRad(ReduceDirection(StartOrientation(h) + 180.0));
    state_.startMarker = {HeaderNumber(h.T0X) + length * std::cos(toBacksight),
                          HeaderNumber(h.T0Y) + length * std::sin(toBacksight)};
    if (h.TrvsType != kTrvsConnected || TrimView(h.T2No).empty() || TrimView(h.T2X).empty() ||
        TrimView(h.T2Y).empty() || TrimView(h.T3Angle).empty()) {
        return;
    }
    // The end point goes after the rows.  It takes the slot after TrvsPointCount, unless rows were
    // skipped and that slot holds a point of this run: then the slot after the last computed row.
    const int lastRow = state_.rawSlots.back();
    const int slot = std::max(state_.TrvsPointCount, lastRow) + 1;
    points_.name[slot] = h.T2No;
    points_.x[slot] = HeaderNumber(h.T2X);
    points_.y[slot] = HeaderNumber(h.T2Y);
    state_.TrvsPointCount += 1;
    state_.endPointSlot = slot;
    const double toSight = DegToRad(ReduceDirection(DmsToDeg(EndOutgoingPacked(h))));
    state_.endMarker = {points_.x[slot] + length * std::cos(toSight), points_.y[slot] + length * std::sin(toSight)};
    state_.hasEndMarker = true;
}

} // namespace

void ComputeRawTraverse(TrvsState& state, const TrvsInput& input, std::vector<std::string>* listing) {
    state.TrvsPointCount = 0;
    state.rawSlots.clear();
    state.problems.clear();
    state.hasEndMarker = false;
    state.endPointSlot = 0;
    const TrvsHeader& h = input.header;
    if (TrimView(h.T0No).empty() || TrimView(h.T0X).empty() || TrimView(h.T0Y).empty() || TrimView(h.T1Angle).empty()) {
        return;
    }
    if (input.table.ObservationRows() > kTrvsMaxRows) {
        throw Error(TooManyRowsMessage());
    }
    CheckTraverseAngles(h, input.table);
    RawRun(state, input, listing).Run();
}

} // namespace vemo
