#include "core/traverse/TrvsJudgement.h"

#include "core/text/Cp932.h"
#include "core/text/MessagesPrecision.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsResults.h"

#include <cmath>
#include <cstdlib>

namespace vemo {

namespace {

using Figure = TrvsJudgement::Figure;
using Item = TrvsJudgement::Item;

Item Judged(Figure figure, double value, double limit) {
    const bool pass = figure == Figure::Ratio ? value >= limit : std::fabs(value) <= limit;
    return {figure, value, limit, pass};
}

// Seconds as "-0°00′30″".
std::string AngleText(double seconds) {
    const long long total = std::llround(std::fabs(seconds));
    return Sprintf(Jp("%s%lld°%02lld′%02lld″").c_str(), seconds < 0 && total != 0 ? "-" : "", total / 3600,
                   total / 60 % 60, total % 60);
}

// The likely error of an angle as a surveyor says it: "+45″", "-30′", "+1°30′".
std::string AngleSizeText(double seconds) {
    const char* sign = seconds < 0 ? "-" : "+";
    const double magnitude = std::fabs(seconds);
    if (magnitude < 60) {
        return Sprintf(Jp("%s%.0f″").c_str(), sign, magnitude);
    }
    const long long minutes = std::llround(magnitude / 60);
    if (minutes < 60) {
        return Sprintf(Jp("%s%lld′").c_str(), sign, minutes);
    }
    return Sprintf(Jp("%s%lld°%02lld′").c_str(), sign, minutes / 60, minutes % 60);
}

} // namespace

double AngleSigmaSeconds(const SurveyClass& c) {
    switch (c.kind) {
    case SurveyClass::Kind::Grade:
        return GradeObservationLimits(c.index, c.firstGradeInstrument).observationSeconds / 4.0;
    case SurveyClass::Kind::User:
        return c.angleSeconds / 3.0;
    case SurveyClass::Kind::Cadastral:
    case SurveyClass::Kind::None:
        break;
    }
    return 10.0;
}

bool TrvsJudgement::Pass() const {
    return FirstFailure() == nullptr;
}

const TrvsJudgement::Item* TrvsJudgement::FirstFailure() const {
    for (const Item& item : items) {
        if (!item.pass) {
            return &item;
        }
    }
    return nullptr;
}

TrvsJudgement JudgeTraverse(const SurveyClass& c, const AdjustedTraverse& adjusted, const TrvsRoute* route) {
    TrvsJudgement j;
    j.surveyClass = c;
    j.connected = adjusted.trvsType == kTrvsConnected;
    j.sides = adjusted.legs;
    j.angles = adjusted.precision.stations;
    j.routeKm = adjusted.precision.totalDistance / 1000;
    const double positionMm = adjusted.precision.closure * 1000;
    const double heightMm = adjusted.precision.heightMisclosure * 1000;
    const auto angle = static_cast<double>(adjusted.precision.angleMisclosure);
    const auto ratio = static_cast<double>(adjusted.precision.ratio);
    const int sides = j.sides > 0 ? j.sides : 1;
    switch (c.kind) {
    case SurveyClass::Kind::Grade:
        j.items.push_back(Judged(Figure::Position, positionMm,
                                 j.connected ? RouteClosureLimitMm(c.index, sides, j.routeKm)
                                             : LoopClosureLimitMm(c.index, sides, j.routeKm)));
        if (adjusted.zCalc) {
            j.items.push_back(Judged(Figure::Height, heightMm,
                                     j.connected ? RouteHeightLimitMm(c.index, sides, j.routeKm)
                                                 : LoopHeightLimitMm(c.index, sides, j.routeKm)));
        }
        // The rules set no limit on the angle misclosure of such a traverse: shown, not judged.
        j.items.push_back({Figure::Angle, angle, std::nullopt, true});
        j.items.push_back({Figure::Ratio, ratio, std::nullopt, true});
        break;
    case SurveyClass::Kind::Cadastral:
        // The closure is the last point's position error against the points it was fixed from.
        j.items.push_back(Judged(Figure::Position, positionMm, CadastralPositionToleranceM(c.index) * 1000));
        j.items.push_back({Figure::Angle, angle, std::nullopt, true});
        j.items.push_back({Figure::Ratio, ratio, std::nullopt, true});
        break;
    case SurveyClass::Kind::User:
        j.items.push_back({Figure::Position, positionMm, std::nullopt, true});
        j.items.push_back(Judged(Figure::Angle, angle, c.angleSeconds * std::sqrt(static_cast<double>(j.angles))));
        j.items.push_back(Judged(Figure::Ratio, ratio, c.minRatio));
        break;
    case SurveyClass::Kind::None:
        j.items.push_back({Figure::Position, positionMm, std::nullopt, true});
        j.items.push_back(Judged(Figure::Angle, angle, kGrossAngleSeconds));
        j.items.push_back(Judged(Figure::Ratio, ratio, kGrossMinRatio));
        break;
    }
    if (route && !j.Pass()) {
        j.blunder = LocateTraverseBlunder(*route, AngleSigmaSeconds(c));
    }
    return j;
}

std::string JudgementFigureName(Figure figure) {
    switch (figure) {
    case Figure::Position:
        return Jp("位置の閉合差");
    case Figure::Height:
        return Jp("標高の閉合差");
    case Figure::Angle:
        return Jp("測角誤差");
    case Figure::Ratio:
        return Jp("閉合比");
    }
    return "";
}

std::string JudgementFigureText(Figure figure, double value) {
    switch (figure) {
    case Figure::Position:
    case Figure::Height:
        return Sprintf("%.0f mm", std::fabs(value) < 0.5 ? 0.0 : value);
    case Figure::Angle:
        return AngleText(value);
    case Figure::Ratio:
        return Sprintf("1 / %.0f", value);
    }
    return "";
}

std::vector<std::string> JudgementLines(const TrvsJudgement& j) {
    std::vector<std::string> lines;
    lines.push_back(Jp("精度の判定  ") + SurveyClassName(j.surveyClass) +
                    (j.surveyClass.kind == SurveyClass::Kind::None ? Jp("（粗誤差の点検のみ）") : ""));
    lines.push_back(
        Sprintf(Jp("辺数 N %4d   測角数 n %4d   路線長 ΣS %9.3f km").c_str(), j.sides, j.angles, j.routeKm));
    for (const TrvsJudgement::Item& item : j.items) {
        const std::string name = JudgementFigureName(item.figure);
        std::string line = name + std::string(name.size() < 14 ? 14 - name.size() : 0, ' ');
        const std::string value = JudgementFigureText(item.figure, item.value);
        line += std::string(value.size() < 16 ? 16 - value.size() : 0, ' ') + value;
        if (item.limit) {
            const std::string limit = JudgementFigureText(item.figure, *item.limit);
            line += Jp("   制限 ") + std::string(limit.size() < 16 ? 16 - limit.size() : 0, ' ') + limit +
                    (item.pass ? Jp("   適") : Jp("   不適"));
        }
        lines.push_back(line);
    }
    lines.push_back(Jp("判定  ") + (j.Pass() ? Jp("適") : Jp("不適")));
    return lines;
}

std::string FailureText(const TrvsJudgement& j) {
    std::string text;
    for (const TrvsJudgement::Item& item : j.items) {
        if (item.pass || !item.limit) {
            continue;
        }
        if (!text.empty()) {
            text += Jp("、");
        }
        text += JudgementFigureName(item.figure) + " " + JudgementFigureText(item.figure, item.value) + Jp("（制限 ") +
                JudgementFigureText(item.figure, *item.limit) + Jp("）");
    }
    return text;
}

std::string BlunderText(const TrvsJudgement& j, const TrvsRoute& route) {
    if (!j.blunder) {
        return "";
    }
    const TrvsBlunderGuess& b = *j.blunder;
    const int count = static_cast<int>(route.names.size());
    auto name = [&](int k) { return route.names[static_cast<size_t>(((k % count) + count) % count)]; };
    if (b.kind == TrvsBlunderGuess::Kind::Angle) {
        return msg::AngleBlunderAt(name(b.index), AngleSizeText(b.size));
    }
    std::string text = msg::DistanceBlunderAt(name(b.index), name(b.index + 1), b.size);
    std::vector<std::string> others;
    for (int leg : b.alternatives) {
        others.push_back(msg::LegName(name(leg), name(leg + 1)));
    }
    if (!others.empty()) {
        text += msg::OtherLegsPossible(others);
    }
    return text;
}

} // namespace vemo
