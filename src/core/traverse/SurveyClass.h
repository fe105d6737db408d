#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The class a traverse or a field book is judged by: a grade of control-point survey of the public
// survey rules (1級 … 4級), a 精度区分 of the cadastral rules (甲一 … 乙三), or an office's own rule (a
// least closure ratio and an angle limit, for offices that work stricter than the public rules).
// Figures and the edition they were taken from are listed in the help page of the precision checks.
struct SurveyClass {
    enum class Kind { None, Grade, Cadastral, User };
    Kind kind = Kind::None;
    // Grade: 1 … 4.  Cadastral: 0 甲一, 1 甲二, 2 甲三, 3 乙一, 4 乙二, 5 乙三.
    int index = 0;
    // Grade 2 observed with a grade-1 total station (finer observation limits); grades only.
    bool firstGradeInstrument = false;
    // User rule: the least closure ratio 1 / minRatio and the angle misclosure limit of
    // angleSeconds″ √n (n angles).
    int minRatio = 0;
    int angleSeconds = 0;

    bool operator==(const SurveyClass&) const = default;
};

// Parses what a surveyor writes: "4", "4級", "2級1" (grade 2 with a grade-1 instrument), "甲二",
// "甲2", "乙三", "user:5000:20" (1 / 5000 and 20″√n), "" or "なし" for none.  `text` is UTF-8 (the
// command line) or CP932 (the settings); both spellings are accepted.  Nothing when not understood.
std::optional<SurveyClass> ParseSurveyClass(std::string_view text);
// The class as ParseSurveyClass reads it back, ASCII and CP932: "4", "2-1", "甲二" (CP932), "user:5000:20".
std::string SurveyClassKey(const SurveyClass& surveyClass);
// The class named for a listing, CP932: "4級基準点測量", "精度区分 甲二", "独自基準 1/5000, 20″√n".
std::string SurveyClassName(const SurveyClass& surveyClass);

// ---- The public survey rules (作業規程の準則), control-point survey by total station ----

// Limit of the position closure of a connected traverse or a single route, in millimetres:
// a + b √N ΣS, N sides, ΣS route length in km.  grade 1 … 4.
double RouteClosureLimitMm(int grade, int sides, double routeKm);
// Limit of the height closure of a connected traverse or a single route (mm): 200 + b ΣS / √N.
double RouteHeightLimitMm(int grade, int sides, double routeKm);
// Limit of the position closure of a unit polygon (mm): b √n ΣS, n sides of the polygon.
double LoopClosureLimitMm(int grade, int sides, double routeKm);
// Limit of the height closure of a unit polygon (mm): b ΣS / √n.
double LoopHeightLimitMm(int grade, int sides, double routeKm);
// Limit of the difference of the height differences measured both ways (標高差の正反較差), mm.
double ReverseHeightLimitMm(int grade);

// Limits of the observations at one station, by class (grade 2 differs by the instrument).
struct ObservationLimits {
    int doubleAngleSeconds = 0;    // 倍角差
    int observationSeconds = 0;    // 観測差
    int heightConstantSeconds = 0; // 高度定数の較差
    double distanceSpreadMm = 0;   // spread within a set and between the means of the sets
};
ObservationLimits GradeObservationLimits(int grade, bool firstGradeInstrument);

// ---- The cadastral precision classes (国土調査法施行令 別表第四) ----

constexpr int kCadastralClassCount = 6;
// "甲一" … "乙三", CP932.
std::string CadastralClassName(int index);
// Position error of a boundary point against the points it was fixed from: mean square error and
// tolerance, metres.
double CadastralPositionMeanSquareM(int index);
double CadastralPositionToleranceM(int index);
// Tolerance of the difference between the computed and the directly measured distance of two
// boundary points S metres apart (numerical survey, α = 0), metres.
double CadastralDistanceToleranceM(int index, double distanceM);
// Tolerance of an area of F square metres, square metres.
double CadastralAreaToleranceM2(int index, double areaM2);

} // namespace vemo
