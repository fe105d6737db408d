#pragma once

#include "core/geometry/PlanePoint.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vemo {

class XyzNameIndex;

// Coordinate transformation from an old system (旧系) into a new one (新系), fitted to control points
// known in both.  The old and the new coordinates of a control point are two points of the list.

struct ControlPair {
    std::string oldName;
    std::string newName;
    PlanePoint oldPoint; // as the name index gives it (millimetres)
    PlanePoint newPoint;
};

// The pairs of the pair grid, looked up by name.  A name the list does not hold stops the command
// with "<name> は見つかりません".
std::vector<ControlPair> LoadControlPairs(const std::vector<std::pair<std::string, std::string>>& names,
                                          const XyzNameIndex& index);

enum class TransformMethod {
    TwoPoint = 0, // ２点変換: rotation and translation, exact on the first two pairs, no scale
    Helmert = 1,  // ヘルマート変換: rotation, uniform scale and translation by least squares
};

// Three or more pairs over-determine the two-point fit: they always get the Helmert fit, whatever
// the method chosen.
TransformMethod EffectiveMethod(TransformMethod chosen, int pairCount);

struct Transformation {
    TransformMethod method = TransformMethod::TwoPoint;
    double x0 = 0; // translation north (m)
    double y0 = 0; // translation east (m)
    // Two-point: the rotation, decimal degrees clockwise, αnew - αold, not reduced into 0-360.
    double theta = 0;
    // Helmert: X = a·x + b·y + X0, Y = -b·x + a·y + Y0, so a = s·cos θ and b = -s·sin θ.
    double a = 1;
    double b = 0;
    // Helmert fit quality: standard deviation (0 with fewer than three pairs), the largest residual
    // distance and the pair (0-based) it occurs at, empty when every residual is exactly zero.
    double sigma = 0;
    double maxResidual = 0;
    std::optional<int> maxResidualPair;

    // The new coordinates of an old point.  The two-point transformation rounds to millimetres like
    // every construction; the Helmert transformation returns the model's value unrounded.
    PlanePoint Apply(PlanePoint old) const;
};

// Rotation and translation that put the first pair's old point exactly onto its new point and turn
// the direction old1 -> old2 onto new1 -> new2.  Needs two pairs whose points are apart in both systems.
Transformation FitTwoPoint(const std::vector<ControlPair>& pairs);

// Least-squares similarity transformation over two or more pairs.  Needs old points that are not all
// at one place.
Transformation FitHelmert(const std::vector<ControlPair>& pairs);

// The fit of `method` (EffectiveMethod applied).  Fewer than two pairs stop the command with
// "変換元点名と対応する変換先点名を指定してください".
Transformation FitTransformation(TransformMethod method, const std::vector<ControlPair>& pairs);

// 計算実行: the selected points and the rows of the pair grid (old name, new name), which end at the
// first row with an empty name.  No selected point: "変換元座標を1点以上指定してください"; fewer than
// two pairs: "変換元点名と対応する変換先点名を指定してください"; then the pairs are looked up and fitted.
struct TransformRun {
    std::vector<ControlPair> pairs;
    Transformation fit;
};
TransformRun StartTransformation(const std::vector<std::string>& selection,
                                 const std::vector<std::pair<std::string, std::string>>& pairRows,
                                 TransformMethod chosen, const XyzNameIndex& index);

} // namespace vemo
