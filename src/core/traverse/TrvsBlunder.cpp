#include "core/traverse/TrvsBlunder.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsPrecision.h"

#include <cstdlib>

namespace vemo {

namespace {

// 648000″ as "180°00′00″".
std::string SecondsText(std::int64_t seconds) {
    const std::int64_t magnitude = std::llabs(seconds);
    return Sprintf(Jp("%s%lld°%02lld′%02lld″").c_str(), seconds < 0 ? "-" : "",
                   static_cast<long long>(magnitude / 3600), static_cast<long long>(magnitude / 60 % 60),
                   static_cast<long long>(magnitude % 60));
}

} // namespace

std::optional<std::string> TraverseBlunderWarning(const TrvsPrecision& p, const TrvsBlunderLimits& limits) {
    const int n = p.stations > 0 ? p.stations : 1;
    const std::int64_t angleLimit = static_cast<std::int64_t>(limits.angleSecondsPerStation) * n;
    const bool angle = limits.angleSecondsPerStation > 0 && std::llabs(p.angleMisclosure) > angleLimit;
    const bool ratio = limits.minRatio > 0 && p.ratio < limits.minRatio;
    if (!angle && !ratio) {
        return std::nullopt;
    }
    std::string text = Jp("誤差が大きすぎます。観測値の入力を確かめてください。\n\n");
    text += Sprintf(Jp("測角誤差 %s（%lld″、%d 測点で 1 測点あたり %.0f″、限度 %d″）\n").c_str(),
                    SecondsText(p.angleMisclosure).c_str(), static_cast<long long>(p.angleMisclosure), n,
                    static_cast<double>(std::llabs(p.angleMisclosure)) / n, limits.angleSecondsPerStation);
    text += Sprintf(Jp("閉合差 %.3f m、閉合比 1 / %lld（限度 1 / %d）\n\n").c_str(), p.closure,
                    static_cast<long long>(p.ratio), limits.minRatio);
    text += angle ? Jp("角度の誤り（水平角・方向角の打ち間違い、測点の取り違え）の疑いがあります。")
                  : Jp("測角誤差は限度内です。距離の誤り（斜距離の打ち間違い、高度角）の疑いがあります。");
    return text;
}

} // namespace vemo
