#include "core/network/NetworkEquations.h"

#include "core/network/NetworkGeometry.h"
#include "core/text/Error.h"
#include "core/text/MessagesNetwork.h"

#include <cmath>

namespace vemo::network {

UnknownLayout::UnknownLayout(const Network& network) {
    pointColumn.assign(network.points.size(), -1);
    for (size_t i = 0; i < network.points.size(); ++i) {
        if (network.points[i].role != NetworkPointRole::Fixed) {
            pointColumn[i] = count;
            count += 2;
        }
    }
    setColumn = count;
    count += network.directionSets;
}

int UnknownLayout::PointOf(int column, const Network& network) const {
    for (size_t i = 0; i < network.points.size(); ++i) {
        if (pointColumn[i] >= 0 && (column == pointColumn[i] || column == pointColumn[i] + 1)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

namespace {

struct Sight {
    double dn;
    double de;
    double s2;
};

Sight SightBetween(const Network& network, const NetworkState& state, int from, int to) {
    const auto f = static_cast<size_t>(from), t = static_cast<size_t>(to);
    const Sight sight{state.x[t] - state.x[f], state.y[t] - state.y[f], 0.0};
    const double s2 = sight.dn * sight.dn + sight.de * sight.de;
    if (!(s2 > 1e-12)) {
        throw Error(msg::NetworkZeroDistance(network.points[f].name, network.points[t].name));
    }
    return {sight.dn, sight.de, s2};
}

// An unknown met again in the same row (an angle's station, in both of its sights) adds to its
// coefficient, so a row never holds more unknowns than its observation has.
void Add(EquationRow& row, int column, double coefficient) {
    if (column < 0) {
        return;
    }
    for (int k = 0; k < row.size; ++k) {
        if (row.column[static_cast<size_t>(k)] == column) {
            row.coefficient[static_cast<size_t>(k)] += coefficient;
            return;
        }
    }
    row.column[static_cast<size_t>(row.size)] = column;
    row.coefficient[static_cast<size_t>(row.size)] = coefficient;
    ++row.size;
}

// The partials of the bearing from `from` to `to` (sign −1 for a bearing subtracted).
void AddBearing(EquationRow& row, const UnknownLayout& layout, int from, int to, const Sight& s, double sign) {
    const int cf = layout.pointColumn[static_cast<size_t>(from)];
    const int ct = layout.pointColumn[static_cast<size_t>(to)];
    if (cf >= 0) {
        Add(row, cf, sign * s.de / s.s2);
        Add(row, cf + 1, -sign * s.dn / s.s2);
    }
    if (ct >= 0) {
        Add(row, ct, -sign * s.de / s.s2);
        Add(row, ct + 1, sign * s.dn / s.s2);
    }
}

EquationRow Equation(const Network& network, const UnknownLayout& layout, const NetworkState& state,
                     const Observation& o) {
    EquationRow row;
    row.sigma = o.sigma;
    const Sight s = SightBetween(network, state, o.from, o.to);
    const double bearing = Bearing(0.0, 0.0, s.dn, s.de);
    switch (o.kind) {
    case ObservationKind::Direction: {
        AddBearing(row, layout, o.from, o.to, s, 1.0);
        Add(row, layout.setColumn + o.set, -1.0);
        row.misclosure = Wrap(o.value - (bearing - state.orientation[static_cast<size_t>(o.set)]));
        break;
    }
    case ObservationKind::Azimuth:
        AddBearing(row, layout, o.from, o.to, s, 1.0);
        row.misclosure = Wrap(o.value - bearing);
        break;
    case ObservationKind::Angle: {
        const Sight b = SightBetween(network, state, o.from, o.backsight);
        AddBearing(row, layout, o.from, o.to, s, 1.0);
        AddBearing(row, layout, o.from, o.backsight, b, -1.0);
        row.misclosure = Wrap(o.value - (bearing - Bearing(0.0, 0.0, b.dn, b.de)));
        break;
    }
    case ObservationKind::Distance: {
        const double d = std::sqrt(s.s2);
        const int cf = layout.pointColumn[static_cast<size_t>(o.from)];
        const int ct = layout.pointColumn[static_cast<size_t>(o.to)];
        if (cf >= 0) {
            Add(row, cf, -s.dn / d);
            Add(row, cf + 1, -s.de / d);
        }
        if (ct >= 0) {
            Add(row, ct, s.dn / d);
            Add(row, ct + 1, s.de / d);
        }
        row.misclosure = o.value - d;
        break;
    }
    }
    return row;
}

} // namespace

std::vector<EquationRow> Linearize(const Network& network, const UnknownLayout& layout, const NetworkState& state) {
    std::vector<EquationRow> rows;
    rows.reserve(network.observations.size() + 2);
    for (size_t i = 0; i < network.observations.size(); ++i) {
        rows.push_back(Equation(network, layout, state, network.observations[i]));
        rows.back().observation = static_cast<int>(i);
    }
    for (size_t p = 0; p < network.points.size(); ++p) {
        const NetworkPoint& point = network.points[p];
        if (point.role != NetworkPointRole::Constrained) {
            continue;
        }
        for (int axis = 0; axis < 2; ++axis) {
            EquationRow row;
            Add(row, layout.pointColumn[p] + axis, 1.0);
            row.sigma = axis == 0 ? point.sigmaX : point.sigmaY;
            row.misclosure = axis == 0 ? point.x - state.x[p] : point.y - state.y[p];
            rows.push_back(row);
        }
    }
    return rows;
}

void OrientSets(const Network& network, NetworkState& state) {
    const auto sets = static_cast<size_t>(network.directionSets);
    std::vector<double> first(sets, 0.0), sum(sets, 0.0);
    std::vector<int> count(sets, 0);
    for (const Observation& o : network.observations) {
        if (o.kind != ObservationKind::Direction) {
            continue;
        }
        const auto f = static_cast<size_t>(o.from), t = static_cast<size_t>(o.to);
        const double w = Bearing(state.x[f], state.y[f], state.x[t], state.y[t]) - o.value;
        const auto s = static_cast<size_t>(o.set);
        if (count[s] == 0) {
            first[s] = w;
        }
        sum[s] += Wrap(w - first[s]);
        ++count[s];
    }
    state.orientation.assign(sets, 0.0);
    for (size_t s = 0; s < sets; ++s) {
        state.orientation[s] = count[s] > 0 ? Positive(first[s] + sum[s] / count[s]) : 0.0;
    }
}

} // namespace vemo::network
