#include "core/traverse/AdjustTraverse.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Rounding.h"
#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/MessagesTraverseEnd.h"
#include "core/traverse/AdjustRun.h"
#include "core/traverse/TrvsAngles.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsPlausible.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vemo {

namespace trvs_detail {

namespace {

bool Empty(const std::string& field) {
    return TrimView(field).empty();
}

} // namespace

AdjustRun::AdjustRun(const TrvsInput& in, AdjustedTraverse& result)
    : in_(in), result_(result), precision_(result.precision) {}

bool AdjustRun::Run() {
    if (!ReadHeader()) {
        return false;
    }
    CollectStations();
    AdjustAngles();
    LatitudesAndDepartures();
    DistributeMisclosure();
    Heights();
    result_.start = {0, in_.header.T0No, x0_, y0_, z0_};
    result_.stations = std::move(stations_);
    RadialRows();
    return true;
}

bool AdjustRun::ReadHeader() {
    const TrvsHeader& h = in_.header;
    if (h.TrvsType != kTrvsClosed && h.TrvsType != kTrvsConnected) {
        return false;
    }
    connected_ = h.TrvsType == kTrvsConnected;
    if (Empty(h.T0No) || Empty(h.T0X) || Empty(h.T0Y) || Empty(h.T1Angle)) {
        return false;
    }
    if (connected_ && (Empty(h.T2No) || Empty(h.T2X) || Empty(h.T2Y) || Empty(h.T3Angle))) {
        return false;
    }
    if (in_.table.ObservationRows() > kTrvsMaxRows) {
        throw Error(msg::TooManyTraverseRows(kTrvsMaxRows));
    }
    zCalc_ = in_.table.ZCalc();
    result_.zCalc = zCalc_;
    w_ = StartOutgoingPacked(h);
    x0_ = HeaderNumber(h.T0X);
    y0_ = HeaderNumber(h.T0Y);
    z0_ = HeaderNumber(h.T0Z);
    if (connected_) {
        e_ = EndOutgoingPacked(h);
        xe_ = HeaderNumber(h.T2X);
        ye_ = HeaderNumber(h.T2Y);
        ze_ = HeaderNumber(h.T2Z);
    }
    return true;
}

void AdjustRun::CollectStations() {
    const TrvsTable& table = in_.table;
    TrvsHeights heights;
    for (int row = 1; row < table.RowCount(); ++row) {
        if (zCalc_) {
            heights.Take(table, row);
        }
        if (table.Cell(row, kTrvColTm) != "T" || CellEmpty(table, row, kTrvColTarget) ||
            CellEmpty(table, row, kTrvColHAngle) || CellEmpty(table, row, kTrvColVAngle)) {
            continue;
        }
        TrvsStation s;
        s.name = table.Cell(row, kTrvColTarget);
        s.row = row;
        s.anglePacked = CellNumber(table, row, kTrvColHAngle);
        if (!CellEmpty(table, row, kTrvColSlope)) {
            const double vertical = DmsToDeg(CellNumber(table, row, kTrvColVAngle));
            Reduction r = ReduceSlope(CellNumber(table, row, kTrvColSlope), vertical, in_.options.ZenithAngles());
            s.hd = r.hd;
            s.dz = zCalc_ ? r.dv + heights.ih - heights.th : 0.0;
        }
        stations_.push_back(std::move(s));
    }
    const int n = static_cast<int>(stations_.size());
    // With fewer stations there is no figure to close and the distribution would divide by zero.
    if (n < (connected_ ? 2 : 3)) {
        throw Error(msg::TooFewStationRows(connected_));
    }
    result_.legs = connected_ ? n - 1 : n;
    // The station row that reaches the end takes the end point's coordinates; under another name it
    // would list, and register, a second point where the end point stands.
    if (connected_ && TrimView(stations_[n - 2].name) != TrimView(in_.header.T2No)) {
        throw Error(msg::EndStationNameDiffers(stations_[n - 2].name, Trim(in_.header.T2No)));
    }
}

void AdjustRun::AdjustAngles() {
    const int n = static_cast<int>(stations_.size());
    Dms sum;
    double heightSum = 0;
    for (const TrvsStation& s : stations_) {
        Dms part = SplitDms(s.anglePacked);
        sum.degrees += part.degrees;
        sum.minutes += part.minutes;
        sum.seconds += part.seconds;
        heightSum += s.dz;
    }
    sum = CarryDms(sum);
    precision_.angleSum = sum;
    precision_.stations = n;
    // The misclosure functions give the correction (expected minus measured); the figure shown is its
    // negative, measured minus expected, the sign of the coordinate misclosures beside it.
    std::int64_t correction = 0;
    if (connected_) {
        correction = ConnectedAngleMisclosure(sum, w_, e_, n);
        precision_.heightMisclosure = zCalc_ ? heightSum - (ze_ - z0_) : 0.0;
    } else {
        correction = ClosedAngleMisclosure(sum, n);
        precision_.heightMisclosure = zCalc_ ? heightSum : 0.0;
    }
    precision_.angleMisclosure = -correction;
    std::vector<int> corrections = DistributeAngleMisclosure(correction, n);
    for (int k = 0; k < n; ++k) {
        stations_[k].angleCorrection = corrections[k];
        stations_[k].adjustedAngle = CorrectAngle(stations_[k].anglePacked, corrections[k]);
    }
}

void AdjustRun::LatitudesAndDepartures() {
    double direction = w_;
    double sumX = 0, sumY = 0;
    double length = 0;
    for (size_t k = 0; k < stations_.size(); ++k) {
        TrvsStation& s = stations_[k];
        // Each leg's direction is the previous one turned by the angle and reversed (+180°).
        direction = AddDms(direction, PackDms(s.adjustedAngle)) + (k == 0 ? 0.0 : 180.0);
        direction = std::fmod(direction, 360.0);
        const double radians = DegToRad(DmsToDeg(direction));
        s.dX = s.hd * std::cos(radians);
        s.dY = s.hd * std::sin(radians);
        if (static_cast<int>(k) < result_.legs) {
            length += s.hd;
            sumX += s.dX;
            sumY += s.dY;
        }
    }
    if (length <= 0) {
        throw Error(msg::TraverseDistanceZero());
    }
    // Unrounded: the closure and its ratio are worked out from what is distributed, not from the
    // millimetre figures printed beside them.
    precision_.totalDistance = length;
    precision_.fx = connected_ ? sumX - (xe_ - x0_) : sumX;
    precision_.fy = connected_ ? sumY - (ye_ - y0_) : sumY;
    const double closure = std::hypot(precision_.fx, precision_.fy);
    // Below half a micrometre the closure shows as 0.000000: the traverse closes exactly.
    if (std::floor(closure * 1e6 + 0.5) == 0) {
        precision_.closure = 0;
        precision_.ratio = 999999;
    } else {
        // Kept to the micrometre the listing prints it to, so that the ratio is the total distance
        // over the closure as printed.
        precision_.closure = RoundDigits(closure, 6, RoundMode::HalfAwayFromZero);
        precision_.ratio = static_cast<std::int64_t>(std::floor(length / precision_.closure + 1e-7));
    }
}

namespace {

std::int64_t Millimetres(double metres) {
    return std::llround(metres * 1000);
}

// The corrected legs of one axis to the millimetre, adding up exactly to `knownMm`: each leg rounded,
// then the millimetres the rounding left over given one by one to the legs with the largest shares of
// the correction (`weights`), the first of equal ones first.
std::vector<std::int64_t> LegsAddingUp(const std::vector<double>& corrected, const std::vector<double>& weights,
                                       std::int64_t knownMm) {
    std::vector<std::int64_t> mm(corrected.size());
    std::int64_t sum = 0;
    for (size_t k = 0; k < corrected.size(); ++k) {
        sum += mm[k] = Millimetres(corrected[k]);
    }
    std::vector<size_t> order(corrected.size());
    for (size_t k = 0; k < order.size(); ++k) {
        order[k] = k;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return weights[a] > weights[b]; });
    std::int64_t left = knownMm - sum;
    for (size_t i = 0; left != 0 && !order.empty(); i = (i + 1) % order.size()) {
        const std::int64_t step = left > 0 ? 1 : -1;
        mm[order[i]] += step;
        left -= step;
    }
    return mm;
}

} // namespace

void AdjustRun::DistributeMisclosure() {
    double absX = 0, absY = 0;
    const int legs = result_.legs;
    for (int k = 0; k < legs; ++k) {
        absX += std::fabs(stations_[k].dX);
        absY += std::fabs(stations_[k].dY);
    }
    const double fx = precision_.fx, fy = precision_.fy, length = precision_.totalDistance;
    const bool compass = in_.options.CompassRule();
    std::vector<double> correctedX(legs), correctedY(legs), weightX(legs), weightY(legs);
    for (int k = 0; k < legs; ++k) {
        const TrvsStation& s = stations_[k];
        // Compass rule: in proportion to the leg's length.  Transit rule: to the size of its latitude
        // and departure; a traverse without any latitude (or departure) falls back to the lengths.
        weightX[k] = (compass || absX == 0) ? s.hd / length : std::fabs(s.dX) / absX;
        weightY[k] = (compass || absY == 0) ? s.hd / length : std::fabs(s.dY) / absY;
        correctedX[k] = s.dX - weightX[k] * fx;
        correctedY[k] = s.dY - weightY[k] * fy;
    }
    // The columns the listing prints add up to the known differences to the last millimetre, and the
    // stations are the start plus those printed legs, so a reviewer re-adding the sheet finds no gap.
    const std::int64_t x0 = Millimetres(x0_), y0 = Millimetres(y0_);
    const std::vector<std::int64_t> legX = LegsAddingUp(correctedX, weightX, connected_ ? Millimetres(xe_) - x0 : 0);
    const std::vector<std::int64_t> legY = LegsAddingUp(correctedY, weightY, connected_ ? Millimetres(ye_) - y0 : 0);
    std::int64_t x = x0, y = y0;
    const int n = static_cast<int>(stations_.size());
    for (int k = 0; k < legs; ++k) {
        stations_[k].adjX = static_cast<double>(legX[k]) / 1000;
        stations_[k].adjY = static_cast<double>(legY[k]) / 1000;
        if (k + 1 < n) {
            stations_[k].x = static_cast<double>(x += legX[k]) / 1000;
            stations_[k].y = static_cast<double>(y += legY[k]) / 1000;
        }
    }
    if (connected_) {
        stations_[n - 2].x = xe_;
        stations_[n - 2].y = ye_;
    }
}

void AdjustRun::Heights() {
    const int n = static_cast<int>(stations_.size());
    if (!zCalc_) {
        return; // heights are not adjusted; the stations carry 0
    }
    const double t = precision_.heightMisclosure;
    const auto tmm = std::llround(RoundDigits(t + 0.0001, 3, RoundMode::HalfAwayFromZero) * 1000);
    const auto rz = static_cast<int>(tmm % n);
    const double share = std::floor(std::fabs(t) * 1000 / n + 0.01);
    const double p = t < 0 ? -share : share; // millimetres per leg
    double z = z0_;
    for (int k = 0; k + 1 < n; ++k) {
        z = RoundMillimetre(z + stations_[k].dz - p / 1000);
        // The remainder of the millimetres goes one by one to the first legs.
        if (k + 1 <= std::abs(rz)) {
            z += rz > 0 ? -0.001 : 0.001;
        }
        stations_[k].z = z;
    }
    if (connected_) {
        stations_[n - 2].z = ze_;
    }
}

} // namespace trvs_detail

std::optional<AdjustedTraverse> AdjustTraverse(const TrvsInput& input) {
    AdjustedTraverse result;
    result.trvsType = input.header.TrvsType;
    result.compassRule = input.options.CompassRule();
    try {
        CheckTraverseAngles(input.header, input.table);
        if (!trvs_detail::AdjustRun(input, result).Run()) {
            return std::nullopt;
        }
    } catch (const Error& e) {
        throw TrvsStopped<AdjustedTraverse>(e, std::move(result));
    }
    return result;
}

std::optional<TrvsPrecision> AdjustTraverse(TrvsState& state, const TrvsInput& input,
                                            std::vector<std::string>* listing) {
    auto show = [&](const AdjustedTraverse& result) {
        state.ShowAdjusted(result);
        if (listing) {
            AppendAdjustedListing(*listing, result);
        }
    };
    try {
        std::optional<AdjustedTraverse> result = AdjustTraverse(input);
        if (!result) {
            show(AdjustedTraverse{});
            return std::nullopt;
        }
        show(*result);
        return result->precision;
    } catch (const TrvsStopped<AdjustedTraverse>& stopped) {
        show(stopped.Partial());
        throw;
    }
}

std::vector<TrvsPoint> AdjustedTraverse::Points() const {
    std::vector<TrvsPoint> points;
    if (stations.empty()) {
        return points;
    }
    points.push_back(start);
    for (size_t k = 0; k + 1 < stations.size(); ++k) {
        const TrvsStation& s = stations[k];
        points.push_back({s.row, s.name, s.x, s.y, s.z});
    }
    for (const TrvsSight& sight : radialSights) {
        points.push_back(sight.Point());
    }
    std::sort(points.begin(), points.end(), [](const TrvsPoint& a, const TrvsPoint& b) { return a.slot < b.slot; });
    return points;
}

} // namespace vemo
