#include "core/transform/Transformation.h"

#include "core/geometry/Constructions.h"
#include "core/geometry/DegreeTrig.h"
#include "core/geometry/Inverse.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

PlanePoint Lookup(const std::string& name, const XyzNameIndex& index) {
    auto found = index.Find(name);
    if (!found) {
        throw Error(msg::NotFound(name));
    }
    return {found->x, found->y};
}

void RequirePairs(size_t count) {
    if (count < 2) {
        throw Error(msg::TransformPairIncomplete());
    }
}

// Residual distances of the pairs under the model; the largest is recorded only when it is strictly
// larger than every earlier one, so a perfect fit records no pair at all.
void RecordResiduals(Transformation& t, const std::vector<ControlPair>& pairs) {
    long double squares = 0;
    for (size_t i = 0; i < pairs.size(); ++i) {
        const PlanePoint fitted = t.Apply(pairs[i].oldPoint);
        const double v = std::hypot(pairs[i].newPoint.x - fitted.x, pairs[i].newPoint.y - fitted.y);
        squares += static_cast<long double>(v) * v;
        if (v > t.maxResidual) {
            t.maxResidual = v;
            t.maxResidualPair = static_cast<int>(i);
        }
    }
    // Two pairs fix the four parameters exactly: there is no redundancy to estimate σ from.
    const long double redundancy = 2.0L * pairs.size() - 4.0L;
    t.sigma = pairs.size() < 3 ? 0.0 : static_cast<double>(std::sqrt(squares / redundancy));
}

} // namespace

std::vector<ControlPair> LoadControlPairs(const std::vector<std::pair<std::string, std::string>>& names,
                                          const XyzNameIndex& index) {
    std::vector<ControlPair> pairs;
    pairs.reserve(names.size());
    for (const auto& [oldName, newName] : names) {
        pairs.push_back({oldName, newName, Lookup(oldName, index), Lookup(newName, index)});
    }
    return pairs;
}

TransformMethod EffectiveMethod(TransformMethod chosen, int pairCount) {
    return pairCount >= 3 ? TransformMethod::Helmert : chosen;
}

PlanePoint Transformation::Apply(PlanePoint old) const {
    if (method == TransformMethod::TwoPoint) {
        return LocalToGlobal({x0, y0}, theta, old.x, old.y);
    }
    return {a * old.x + b * old.y + x0, -b * old.x + a * old.y + y0};
}

Transformation FitTwoPoint(const std::vector<ControlPair>& pairs) {
    RequirePairs(pairs.size());
    const ControlPair& p1 = pairs[0];
    const ControlPair& p2 = pairs[1];
    const auto newDirection = InversePoints(p1.newPoint, p2.newPoint).direction;
    const auto oldDirection = InversePoints(p1.oldPoint, p2.oldPoint).direction;
    if (!newDirection || !oldDirection) {
        throw Error(msg::TransformPointsCoincide());
    }
    Transformation t;
    t.method = TransformMethod::TwoPoint;
    t.theta = *newDirection - *oldDirection;
    const auto [sin, cos] = geometry_detail::SinCosDegrees(t.theta);
    const PlanePoint o = p1.oldPoint;
    t.x0 = static_cast<double>(p1.newPoint.x - cos * o.x + sin * o.y);
    t.y0 = static_cast<double>(p1.newPoint.y - sin * o.x - cos * o.y);
    return t;
}

// The normal equations of the similarity transformation, formed about the centroids of the old and
// the new points: the same solution as the raw sums, without losing the digits that plane rectangular
// coordinates of tens of kilometres would cancel away.
Transformation FitHelmert(const std::vector<ControlPair>& pairs) {
    RequirePairs(pairs.size());
    const long double n = pairs.size();
    long double mx = 0, my = 0, mX = 0, mY = 0;
    for (const ControlPair& p : pairs) {
        mx += p.oldPoint.x;
        my += p.oldPoint.y;
        mX += p.newPoint.x;
        mY += p.newPoint.y;
    }
    mx /= n, my /= n, mX /= n, mY /= n;
    long double dotSum = 0, crossSum = 0, normSum = 0;
    for (const ControlPair& p : pairs) {
        const long double x = p.oldPoint.x - mx, y = p.oldPoint.y - my;
        const long double X = p.newPoint.x - mX, Y = p.newPoint.y - mY;
        dotSum += x * X + y * Y;
        crossSum += X * y - x * Y;
        normSum += x * x + y * y;
    }
    if (normSum == 0) {
        throw Error(msg::TransformOldPointsCoincide());
    }
    Transformation t;
    t.method = TransformMethod::Helmert;
    const long double a = dotSum / normSum;
    const long double b = crossSum / normSum;
    t.a = static_cast<double>(a);
    t.b = static_cast<double>(b);
    t.x0 = static_cast<double>(mX - a * mx - b * my);
    t.y0 = static_cast<double>(mY - a * my + b * mx);
    RecordResiduals(t, pairs);
    return t;
}

TransformRun StartTransformation(const std::vector<std::string>& selection,
                                 const std::vector<std::pair<std::string, std::string>>& pairRows,
                                 TransformMethod chosen, const XyzNameIndex& index) {
    if (std::all_of(selection.begin(), selection.end(), [](const std::string& name) { return name.empty(); })) {
        throw Error(msg::TransformNothingSelected());
    }
    auto end = std::find_if(pairRows.begin(), pairRows.end(),
                            [](const auto& row) { return row.first.empty() || row.second.empty(); });
    std::vector<std::pair<std::string, std::string>> named(pairRows.begin(), end);
    RequirePairs(named.size());
    TransformRun run;
    run.pairs = LoadControlPairs(named, index);
    run.fit = FitTransformation(chosen, run.pairs);
    return run;
}

Transformation FitTransformation(TransformMethod method, const std::vector<ControlPair>& pairs) {
    RequirePairs(pairs.size());
    const int count = static_cast<int>(pairs.size());
    return EffectiveMethod(method, count) == TransformMethod::Helmert ? FitHelmert(pairs) : FitTwoPoint(pairs);
}

} // namespace vemo
