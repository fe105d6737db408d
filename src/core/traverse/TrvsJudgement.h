#pragma once

#include "core/traverse/SurveyClass.h"
#include "core/traverse/TrvsBlunderLocation.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

struct AdjustedTraverse;

// A closed or connected traverse judged against its class: each closure, its limit, 適 or 不適, and
// where a failing traverse most likely went wrong.
struct TrvsJudgement {
    enum class Figure {
        Position, // position closure (mm)
        Height,   // height closure (mm), with Z calculation only
        Angle,    // angle misclosure (seconds)
        Ratio,    // closure ratio: value N of 1 / N, the limit the least N
    };
    struct Item {
        Figure figure = Figure::Position;
        double value = 0;
        // Nothing where the rules set no limit for the figure: it is shown, not judged.
        std::optional<double> limit;
        bool pass = true;
    };

    SurveyClass surveyClass;
    bool connected = false;
    int sides = 0;  // N: legs over which the closure was summed
    int angles = 0; // n: angles measured
    double routeKm = 0;
    std::vector<Item> items;
    // Where it fails: the likely single blunder.
    std::optional<TrvsBlunderGuess> blunder;

    bool Pass() const;
    // The first item that fails, or nothing.
    const Item* FirstFailure() const;
};

// Without a class the traverse is only checked for a gross error: a closure ratio worse than 1 / 1,000
// or an angle misclosure beyond 5′.
constexpr int kGrossMinRatio = 1000;
constexpr int kGrossAngleSeconds = 300;

// The measuring error of an angle a class's observations leave, in seconds, under which an angle
// misclosure counts as measuring error when a blunder is located: a quarter of the class's 観測差
// limit for a grade, a third of the office rule's angle limit, 10″ otherwise.
double AngleSigmaSeconds(const SurveyClass& surveyClass);

// Judges `adjusted` by `surveyClass`.  A connected traverse is judged as a single route
// (結合多角・単路線), a closed one as a unit polygon (単位多角形).  With a route, a traverse that fails
// also gets its likely blunder.
TrvsJudgement JudgeTraverse(const SurveyClass& surveyClass, const AdjustedTraverse& adjusted,
                            const TrvsRoute* route = nullptr);

// The judgement as listing lines (CP932), for the listing, the panel and vemo-cli.
std::vector<std::string> JudgementLines(const TrvsJudgement& judgement);
// A figure's caption, CP932: "位置の閉合差".
std::string JudgementFigureName(TrvsJudgement::Figure figure);
// A figure's value (or limit) as shown: "123 mm", "-0°00′30″", "1 / 2439".
std::string JudgementFigureText(TrvsJudgement::Figure figure, double value);
// The located blunder in plain words (CP932), or "" without one.
std::string BlunderText(const TrvsJudgement& judgement, const TrvsRoute& route);
// What fails, in one line (CP932): "位置の閉合差 873 mm（制限 224 mm）"; "" when it passes.
std::string FailureText(const TrvsJudgement& judgement);

} // namespace vemo
