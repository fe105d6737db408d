#include "core/network/NetworkListing.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <numbers>

namespace vemo {

namespace {

constexpr double kToSeconds = 180.0 / std::numbers::pi * 3600.0;

std::string Name(const Network& network, int point) {
    return point >= 0 ? network.points[static_cast<size_t>(point)].name : std::string();
}

// A CP932 name padded with blanks to `width` bytes (a longer one is kept whole).
std::string Padded(std::string text, size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

int Count(const Network& network, ObservationKind kind) {
    int n = 0;
    for (const Observation& o : network.observations) {
        n += o.kind == kind ? 1 : 0;
    }
    return n;
}

std::string KindWord(ObservationKind kind) {
    switch (kind) {
    case ObservationKind::Direction:
        return Jp("方向");
    case ObservationKind::Angle:
        return Jp("角  ");
    case ObservationKind::Distance:
        return Jp("距離");
    case ObservationKind::Azimuth:
        return Jp("方向角");
    }
    return {};
}

std::string DatumWords(NetworkDatum datum) {
    switch (datum) {
    case NetworkDatum::Fixed:
        return Jp("既知点固定");
    case NetworkDatum::Constrained:
        return Jp("既知点を標準偏差で拘束");
    case NetworkDatum::FreeMinimumNorm:
        return Jp("自由網（最小ノルム）");
    }
    return {};
}

} // namespace

std::string FormatDms(double radians) {
    const double total = std::round(std::abs(radians) * kToSeconds * 10.0) / 10.0;
    const int degrees = static_cast<int>(total / 3600.0);
    const int minutes = static_cast<int>((total - degrees * 3600.0) / 60.0);
    const double seconds = total - degrees * 3600.0 - minutes * 60.0;
    return Sprintf("%s%d-%02d-%04.1f", radians < 0 ? "-" : "", degrees, minutes, seconds);
}

std::vector<std::string> NetworkSummaryLines(const Network& network, const NetworkAdjustment& a) {
    int known = 0, fresh = 0;
    for (const NetworkPoint& p : network.points) {
        (p.role == NetworkPointRole::Adjusted ? fresh : known) += 1;
    }
    std::vector<std::string> lines;
    lines.push_back(Jp("網平均計算（厳密水平網平均）"));
    lines.push_back(Jp("既知点 ") + std::to_string(known) + Jp(" 点  新点 ") + std::to_string(fresh) + Jp(" 点"));
    lines.push_back(Jp("観測  方向 ") + std::to_string(Count(network, ObservationKind::Direction)) + Jp("（") +
                    std::to_string(network.directionSets) + Jp(" 組）  角 ") +
                    std::to_string(Count(network, ObservationKind::Angle)) + Jp("  距離 ") +
                    std::to_string(Count(network, ObservationKind::Distance)) + Jp("  方向角 ") +
                    std::to_string(Count(network, ObservationKind::Azimuth)));
    lines.push_back(Jp("観測方程式 ") + std::to_string(a.equations) + Jp("  未知数 ") + std::to_string(a.unknowns) +
                    Jp("  自由度 ") + std::to_string(a.degreesOfFreedom) + Jp("  基準 ") + DatumWords(a.datum) +
                    Jp("  反復 ") + std::to_string(a.iterations) + Jp(" 回"));
    lines.push_back(Sprintf("%s%.3f  %s%.0f%%%s%.3f .. %.3f  %s",
                            Jp("単位重量当たりの標準偏差（事前値に対する比） ").c_str(), a.sigma0,
                            Jp("χ二乗検定（信頼度 ").c_str(), network.confidence * 100.0, Jp("）: ").c_str(),
                            a.chiLower, a.chiUpper, (a.chiPassed ? Jp("合格") : Jp("不合格")).c_str()));
    if (a.suspect >= 0) {
        const Observation& o = network.observations[static_cast<size_t>(a.suspect)];
        lines.push_back(Sprintf("%s%.1f%%%s%.2f%s", Jp("過大誤差の検定（有意水準 ").c_str(),
                                a.snoopingSignificance * 100.0, Jp("、限界値 ").c_str(), a.snoopingCritical,
                                Jp("）: ").c_str()) +
                        KindWord(o.kind) + " " + Name(network, o.from) + Jp("→") + Name(network, o.to) +
                        Sprintf(Jp(" の標準化残差 %.2f が限界を超えています").c_str(),
                                a.observations[static_cast<size_t>(a.suspect)].standardized));
    } else {
        lines.push_back(Sprintf("%s%.1f%%%s%.2f%s", Jp("過大誤差の検定（有意水準 ").c_str(),
                                a.snoopingSignificance * 100.0, Jp("、限界値 ").c_str(), a.snoopingCritical,
                                Jp("）: 限界を超える標準化残差はありません").c_str()));
    }
    for (const std::string& note : a.notes) {
        lines.push_back(note);
    }
    return lines;
}

std::vector<std::string> NetworkPointLines(const Network& network, const NetworkAdjustment& a) {
    std::vector<std::string> lines;
    lines.push_back(
        Jp("点名                       X              Y   σX(mm)  σY(mm)  σP(mm)   長半径   短半径  長軸方向角"));
    for (const AdjustedNetworkPoint& p : a.points) {
        lines.push_back(Padded(Name(network, p.point), 16) +
                        Sprintf("%14.4f %14.4f %8.1f %7.1f %7.1f %8.1f %8.1f  ", p.x, p.y, p.sigmaX * 1000.0,
                                p.sigmaY * 1000.0, p.sigmaPosition * 1000.0, p.ellipseA * 1000.0, p.ellipseB * 1000.0) +
                        FormatDms(p.ellipseBearing));
    }
    return lines;
}

std::vector<std::string> NetworkResidualLines(const Network& network, const NetworkAdjustment& a) {
    std::vector<std::string> lines;
    lines.push_back(Jp("種類   器械点          視準点               観測値      残差  標準化残差  冗長度"));
    for (size_t i = 0; i < network.observations.size(); ++i) {
        const Observation& o = network.observations[i];
        const ObservationResult& r = a.observations[i];
        const bool distance = o.kind == ObservationKind::Distance;
        const std::string value = distance ? Sprintf("%.4f", o.value) : FormatDms(o.value);
        const double residual = distance ? r.residual * 1000.0 : r.residual * kToSeconds;
        lines.push_back(Padded(KindWord(o.kind), 7) + Padded(Name(network, o.from), 16) +
                        Padded(Name(network, o.to), 16) +
                        Sprintf("%15s %8.1f%s %10.2f %7.3f", value.c_str(), residual, distance ? "mm" : "\" ",
                                r.standardized, r.redundancy) +
                        (r.suspect ? Jp("  ＊過大誤差の疑い") : std::string()));
    }
    return lines;
}

} // namespace vemo
