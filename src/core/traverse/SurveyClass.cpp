#include "core/traverse/SurveyClass.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <array>
#include <cmath>

namespace vemo {

namespace {

// 作業規程の準則 (令和5年3月31日改正), 基準点測量, the limits of the check computations: the
// constant and the factor of each formula, grade 1 … 4.
constexpr std::array<double, 4> kRouteConstantMm = {100, 100, 150, 150};
constexpr std::array<double, 4> kRouteFactorMm = {20, 30, 50, 100};
constexpr double kRouteHeightConstantMm = 200;
constexpr std::array<double, 4> kRouteHeightFactorMm = {50, 100, 150, 300};
constexpr std::array<double, 4> kLoopFactorMm = {10, 15, 25, 50};
constexpr std::array<double, 4> kLoopHeightFactorMm = {50, 100, 150, 300};
constexpr std::array<double, 4> kReverseHeightMm = {300, 200, 150, 100};

// The observation limits: 1級, 2級 with a grade-1 instrument, 2級 with a grade-2 instrument, 3級, 4級.
constexpr std::array<ObservationLimits, 5> kObservationLimits = {{
    {15, 8, 10, 20},
    {20, 10, 15, 20},
    {30, 20, 30, 20},
    {30, 20, 30, 20},
    {60, 40, 60, 20},
}};

// 国土調査法施行令 別表第四: position error (mean square, tolerance, cm), the distance tolerance
// a + b √S (m) and the area tolerance (c + d ⁴√F) √F (m²), 甲一 … 乙三.
struct CadastralFigures {
    const char* name;
    double meanSquareCm, toleranceCm;
    double distanceA, distanceB;
    double areaC, areaD;
};
constexpr std::array<CadastralFigures, kCadastralClassCount> kCadastral = {{
    {"甲一", 2, 6, 0.020, 0.003, 0.025, 0.003},
    {"甲二", 7, 20, 0.04, 0.01, 0.05, 0.01},
    {"甲三", 15, 45, 0.08, 0.02, 0.10, 0.02},
    {"乙一", 25, 75, 0.13, 0.04, 0.10, 0.04},
    {"乙二", 50, 150, 0.25, 0.07, 0.25, 0.07},
    {"乙三", 100, 300, 0.50, 0.14, 0.50, 0.14},
}};

int GradeSlot(int grade) {
    return grade < 1 ? 0 : grade > 4 ? 3 : grade - 1;
}

int CadastralSlot(int index) {
    return index < 0 ? 0 : index >= kCadastralClassCount ? kCadastralClassCount - 1 : index;
}

// The cadastral names in both spellings of their numeral: 甲一 and 甲1 (also full-width １).
std::optional<int> CadastralIndex(std::string_view utf8) {
    static const std::array<const char*, 3> kOne = {"一", "1", "１"};
    static const std::array<const char*, 3> kTwo = {"二", "2", "２"};
    static const std::array<const char*, 3> kThree = {"三", "3", "３"};
    const std::array<const std::array<const char*, 3>*, 3> numerals = {&kOne, &kTwo, &kThree};
    const std::array<std::string_view, 2> series = {"甲", "乙"};
    for (size_t s = 0; s < series.size(); ++s) {
        if (!utf8.starts_with(series[s])) {
            continue;
        }
        const std::string_view rest = utf8.substr(series[s].size());
        for (size_t n = 0; n < numerals.size(); ++n) {
            for (const char* spelling : *numerals[n]) {
                if (rest == spelling) {
                    return static_cast<int>(s * 3 + n);
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<SurveyClass> ParseUtf8(std::string_view text) {
    SurveyClass c;
    if (text.empty() || text == "なし" || text == "none") {
        return c;
    }
    if (auto cadastral = CadastralIndex(text)) {
        c.kind = SurveyClass::Kind::Cadastral;
        c.index = *cadastral;
        return c;
    }
    if (text.starts_with("user:")) {
        const std::string_view rest = text.substr(5);
        const size_t colon = rest.find(':');
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        auto ratio = TryStrToInt(rest.substr(0, colon));
        auto angle = TryStrToInt(rest.substr(colon + 1));
        if (!ratio || !angle || *ratio < 1 || *angle < 1) {
            return std::nullopt;
        }
        c.kind = SurveyClass::Kind::User;
        c.minRatio = *ratio;
        c.angleSeconds = *angle;
        return c;
    }
    if (text.size() >= 1 && text[0] >= '1' && text[0] <= '4') {
        std::string_view rest = text.substr(1);
        if (rest.starts_with("級")) {
            rest.remove_prefix(std::string_view("級").size());
        }
        c.kind = SurveyClass::Kind::Grade;
        c.index = text[0] - '0';
        if (rest.empty()) {
            return c;
        }
        if (c.index == 2 && (rest == "1" || rest == "-1")) {
            c.firstGradeInstrument = true;
            return c;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<SurveyClass> ParseSurveyClass(std::string_view text) {
    const std::string trimmed = Trim(text);
    if (auto parsed = ParseUtf8(trimmed)) {
        return parsed;
    }
    // Not UTF-8 Japanese: the CP932 of a settings file.
    return ParseUtf8(Cp932ToUtf8(trimmed));
}

std::string SurveyClassKey(const SurveyClass& c) {
    switch (c.kind) {
    case SurveyClass::Kind::None:
        return "";
    case SurveyClass::Kind::Grade:
        return std::to_string(c.index) + (c.firstGradeInstrument ? "-1" : "");
    case SurveyClass::Kind::Cadastral:
        return CadastralClassName(c.index);
    case SurveyClass::Kind::User:
        return "user:" + std::to_string(c.minRatio) + ":" + std::to_string(c.angleSeconds);
    }
    return "";
}

std::string SurveyClassName(const SurveyClass& c) {
    switch (c.kind) {
    case SurveyClass::Kind::None:
        return Jp("なし");
    case SurveyClass::Kind::Grade:
        return std::to_string(c.index) + Jp("級基準点測量") + (c.firstGradeInstrument ? Jp("（1級TS）") : "");
    case SurveyClass::Kind::Cadastral:
        return Jp("精度区分 ") + CadastralClassName(c.index);
    case SurveyClass::Kind::User:
        return Sprintf(Jp("独自基準 1/%d, %d″√n").c_str(), c.minRatio, c.angleSeconds);
    }
    return "";
}

double RouteClosureLimitMm(int grade, int sides, double routeKm) {
    const int g = GradeSlot(grade);
    return kRouteConstantMm[g] + kRouteFactorMm[g] * std::sqrt(static_cast<double>(sides)) * routeKm;
}

double RouteHeightLimitMm(int grade, int sides, double routeKm) {
    return kRouteHeightConstantMm +
           kRouteHeightFactorMm[GradeSlot(grade)] * routeKm / std::sqrt(static_cast<double>(sides));
}

double LoopClosureLimitMm(int grade, int sides, double routeKm) {
    return kLoopFactorMm[GradeSlot(grade)] * std::sqrt(static_cast<double>(sides)) * routeKm;
}

double LoopHeightLimitMm(int grade, int sides, double routeKm) {
    return kLoopHeightFactorMm[GradeSlot(grade)] * routeKm / std::sqrt(static_cast<double>(sides));
}

double ReverseHeightLimitMm(int grade) {
    return kReverseHeightMm[GradeSlot(grade)];
}

ObservationLimits GradeObservationLimits(int grade, bool firstGradeInstrument) {
    const int g = GradeSlot(grade);
    // Slot 1 is grade 2 with a grade-1 instrument; grades 2 to 4 otherwise sit one slot further.
    const int slot = g == 0 ? 0 : (g == 1 && firstGradeInstrument) ? 1 : g + 1;
    return kObservationLimits[static_cast<size_t>(slot)];
}

std::string CadastralClassName(int index) {
    return Jp(kCadastral[CadastralSlot(index)].name);
}

double CadastralPositionMeanSquareM(int index) {
    return kCadastral[CadastralSlot(index)].meanSquareCm / 100;
}

double CadastralPositionToleranceM(int index) {
    return kCadastral[CadastralSlot(index)].toleranceCm / 100;
}

double CadastralDistanceToleranceM(int index, double distanceM) {
    const CadastralFigures& f = kCadastral[CadastralSlot(index)];
    return f.distanceA + f.distanceB * std::sqrt(distanceM);
}

double CadastralAreaToleranceM2(int index, double areaM2) {
    const CadastralFigures& f = kCadastral[CadastralSlot(index)];
    return (f.areaC + f.areaD * std::sqrt(std::sqrt(areaM2))) * std::sqrt(areaM2);
}

} // namespace vemo
