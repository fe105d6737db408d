#include "core/transform/TransformReport.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <cstdlib>

namespace vemo {

namespace {

// θ rounded to whole seconds and then reduced to (-180, 180], as "%3d-%02d-%02d"; the sign goes before
// the degrees even when they are 0.  A turn of a few minutes across north is shown as the few minutes it
// is, not as nearly a full turn the other way.  Rounding first keeps the reduction on what is shown:
// -179°59′59.7″ rounds to -180°00′00″, which is the half turn +180-00-00.
std::string SignedDmsText(double theta) {
    constexpr long long kHalfTurn = 180LL * 3600, kFullTurn = 360LL * 3600;
    long long seconds = std::llround(std::fmod(theta, 360.0) * 3600.0) % kFullTurn;
    if (seconds > kHalfTurn) {
        seconds -= kFullTurn;
    } else if (seconds <= -kHalfTurn) {
        seconds += kFullTurn;
    }
    const bool negative = seconds < 0;
    const long long magnitude = std::llabs(seconds);
    const std::string whole = (negative ? "-" : "") + std::to_string(magnitude / 3600);
    return Sprintf("%3s-%02lld-%02lld", whole.c_str(), magnitude / 60 % 60, magnitude % 60);
}

std::vector<std::string> TwoPointLines(const Transformation& t) {
    return {
        "",
        Jp("平行移動距離              回転角"),
        "",
        Sprintf("X0 = %11.3f          ", t.x0) + Jp("θ = ") + SignedDmsText(t.theta),
        Sprintf("Y0 = %11.3f", t.y0),
    };
}

std::vector<std::string> HelmertLines(const Transformation& t, const std::vector<ControlPair>& pairs) {
    const std::string worst = t.maxResidualPair ? pairs.at(*t.maxResidualPair).newName : "-";
    return {
        Jp("標準偏差 ") + Sprintf("%12.10f    ", t.sigma) + Jp("最大残差 ") + Sprintf("%5.3f", t.maxResidual) +
            Jp("(№") + worst + ")",
        "",
        Jp("変換係数"),
        Sprintf("a = %13.10f     b = %13.10f", t.a, t.b),
        Sprintf("X0= %13.3f     Y0= %13.3f", t.x0, t.y0),
    };
}

} // namespace

std::string TransformCaption(TransformMethod method) {
    return Jp(method == TransformMethod::Helmert ? "- ヘルマート変換 -" : "- 2点変換 -");
}

std::vector<std::string> TransformReport(const Transformation& t, const std::vector<ControlPair>& pairs) {
    return t.method == TransformMethod::Helmert ? HelmertLines(t, pairs) : TwoPointLines(t);
}

} // namespace vemo
