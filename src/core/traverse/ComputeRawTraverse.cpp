#include "core/traverse/ComputeRawTraverse.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/geometry/Rounding.h"
#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/MessagesTraverse.h"
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
    RawRun(const TrvsInput& in, RawTraverse& result) : in_(in), table_(in.table), result_(result) {}

    void Run();

private:
    bool PlaceSetup(int row);
    bool NextLegSetup(int row);
    bool ExplicitSetup(int row);
    void ComputeRow(int row);
    void FinishForPlot();
    void Refuse(int row, const std::string& what);

    const TrvsInput& in_;
    const TrvsTable& table_;
    // Filled as the rows are computed, so that a cell stopping the run leaves what came before it.
    RawTraverse& result_;
    PlacedPoints placed_;
    Setup setup_;
    TrvsHeights heights_;
    int legRow_ = 0;     // current leg row: its point is where the next leg is observed from
    TrvsPoint legPoint_; // the point of legRow_
    TrvsPoint previous_; // the station before it
};

void RawRun::Refuse(int row, const std::string& what) {
    result_.problems.push_back(msg::TraverseRow(row, what));
}

void RawRun::Run() {
    const TrvsHeader& h = in_.header;
    setup_.instrument = h.T0No;
    setup_.backsight = h.T1No;
    setup_.x = HeaderNumber(h.T0X);
    setup_.y = HeaderNumber(h.T0Y);
    setup_.z = HeaderNumber(h.T0Z);
    setup_.orientation = StartOrientation(h);
    result_.start = {0, h.T0No, setup_.x, setup_.y, setup_.z};
    result_.started = true;
    placed_.Add(result_.start);
    result_.extents = {setup_.x, setup_.x, setup_.y, setup_.y};
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
        previous_ = result_.start;
        return true;
    }
    const std::string& instrument = table_.Cell(row, kTrvColInst);
    if (!instrument.empty() && instrument == table_.Cell(row, kTrvColBack)) {
        Refuse(row, msg::SetupSamePoint(instrument));
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
    const TrvsPoint& at = legPoint_;
    Inverse back = InversePoints(previous_.x, previous_.y, at.x, at.y);
    if (!back.direction) {
        Refuse(row, msg::SetupSamePosition(at.name));
        return false;
    }
    setup_ = {at.name, previous_.name, at.x, at.y, at.z, *back.direction};
    previous_ = at;
    legRow_ = row;
    return true;
}

bool RawRun::ExplicitSetup(int row) {
    const std::string& instName = table_.Cell(row, kTrvColInst);
    const std::string& backName = table_.Cell(row, kTrvColBack);
    const bool zCalc = table_.ZCalc();
    FoundPoint inst = FindSetupPoint(instName, in_.known, placed_, zCalc);
    if (!inst.found) {
        Refuse(row, msg::InstrumentNotFound(instName));
        return false;
    }
    FoundPoint back = FindSetupPoint(backName, in_.known, placed_, zCalc);
    if (!back.found) {
        Refuse(row, msg::BacksightNotFound(backName));
        return false;
    }
    Inverse orientation = InversePoints(back.x, back.y, inst.x, inst.y);
    if (!orientation.direction) {
        Refuse(row, msg::SetupSamePosition(instName));
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
    const TrvsSight& sight = result_.sights.emplace_back(
        TrvsSight{row, table_.Cell(row, kTrvColTm), setup_.instrument, setup_.backsight,
                  table_.Cell(row, kTrvColTarget), horizontal, r.hd, DegToDms(setup_.orientation), x, y, z});
    placed_.Add(sight.Point());
    if (row == legRow_) {
        legPoint_ = sight.Point();
    }
    XyzExtents& e = result_.extents;
    e.minX = std::min(e.minX, x);
    e.maxX = std::max(e.maxX, x);
    e.minY = std::min(e.minY, y);
    e.maxY = std::max(e.maxY, y);
}

// The plot's extents take in the coordinate list; the markers show the known directions.
void RawRun::FinishForPlot() {
    XyzExtents& e = result_.extents;
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
    result_.startMarker = TrvsMarker{HeaderNumber(h.T0X) + length * std::cos(toBacksight),
                                     HeaderNumber(h.T0Y) + length * std::sin(toBacksight)};
    if (h.TrvsType != kTrvsConnected || TrimView(h.T2No).empty() || TrimView(h.T2X).empty() ||
        TrimView(h.T2Y).empty() || TrimView(h.T3Angle).empty()) {
        return;
    }
    // The end point goes after the rows.  It takes the slot after the rows computed, unless rows were
    // skipped and that slot holds a point of this run: then the slot after the last computed row.
    const int rows = static_cast<int>(result_.sights.size());
    const int lastRow = result_.sights.empty() ? 0 : result_.sights.back().row;
    TrvsPoint end{std::max(rows, lastRow) + 1, h.T2No, HeaderNumber(h.T2X), HeaderNumber(h.T2Y), 0.0};
    const double toSight = DegToRad(ReduceDirection(DmsToDeg(EndOutgoingPacked(h))));
    const TrvsMarker marker{end.x + length * std::cos(toSight), end.y + length * std::sin(toSight)};
    result_.end = RawTraverse::End{std::move(end), marker};
}

} // namespace

RawTraverse ComputeRawTraverse(const TrvsInput& input) {
    RawTraverse result;
    const TrvsHeader& h = input.header;
    result.trvsType = h.TrvsType;
    if (TrimView(h.T0No).empty() || TrimView(h.T0X).empty() || TrimView(h.T0Y).empty() || TrimView(h.T1Angle).empty()) {
        return result;
    }
    try {
        if (input.table.ObservationRows() > kTrvsMaxRows) {
            throw Error(msg::TooManyTraverseRows(kTrvsMaxRows));
        }
        CheckTraverseAngles(h, input.table);
        RawRun(input, result).Run();
    } catch (const Error& e) {
        throw TrvsStopped<RawTraverse>(e, std::move(result));
    }
    return result;
}

void ComputeRawTraverse(TrvsState& state, const TrvsInput& input, std::vector<std::string>* listing) {
    auto show = [&](const RawTraverse& result) {
        state.ShowRaw(result);
        if (listing) {
            AppendRawListing(*listing, result);
        }
    };
    try {
        show(ComputeRawTraverse(input));
    } catch (const TrvsStopped<RawTraverse>& stopped) {
        show(stopped.Partial());
        throw;
    }
}

} // namespace vemo
