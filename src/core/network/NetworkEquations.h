#pragma once

#include "core/network/Network.h"

#include <array>
#include <string>
#include <vector>

namespace vemo::network {

// Where each unknown of the adjustment sits: two per new or constrained point (X, Y corrections in
// metres), then one orientation per direction set (radians).
struct UnknownLayout {
    std::vector<int> pointColumn; // first column of a point, -1 for a fixed point
    int setColumn = 0;            // column of direction set 0
    int count = 0;

    explicit UnknownLayout(const Network& network);
    int PointOf(int column, const Network& network) const; // the point of a coordinate column, -1 else
};

// The current estimate: coordinates of every point and the orientation of every set.
struct NetworkState {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> orientation;
};

// One linearized observation equation: v = Σ a·dx − misclosure, weight 1/σ².
// At most six unknowns: an angle's three points (its station's partials from both sights added into
// one), or a direction's two points and its set's orientation.
struct EquationRow {
    std::array<int, 6> column{};
    std::array<double, 6> coefficient{};
    int size = 0;
    double misclosure = 0.0; // observed − computed (radians or metres)
    double sigma = 1.0;
    int observation = -1; // index into Network::observations, -1 for a constrained coordinate
};

// The equations of every observation, then those of the constrained coordinates.  A sight between two
// points at the same position throws vemo::Error naming them.
std::vector<EquationRow> Linearize(const Network& network, const UnknownLayout& layout, const NetworkState& state);

// The orientation of each direction set that makes its directions agree best with the state's
// coordinates (their mean misclosure removed).
void OrientSets(const Network& network, NetworkState& state);

} // namespace vemo::network
