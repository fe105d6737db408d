// The transformation as a calculation: the report (parameters, and for Helmert σ and the largest
// residual), then one line per point: name, X, Y.  A name the list does not hold is a warning.
#include "core/calc/Calculation.h"
#include "core/store/Store.h"
#include "core/text/Messages.h"
#include "core/transform/TransformReport.h"
#include "core/transform/Transformation.h"

namespace vemo {

namespace {

constexpr CalcInput kTransformInputs[] = {
    {.id = "", .caption = "変換元座標", .kind = CalcInputKind::Points, .help = "NAME...  the points to transform"},
    {.id = "pairs",
     .caption = "変換元点名:変換先点名",
     .kind = CalcInputKind::Text,
     .help = "OLD:NEW,OLD:NEW,...  control pairs, old and new name joined by ':'"},
    {.id = "helmert",
     .caption = "ヘルマート変換",
     .kind = CalcInputKind::Flag,
     .help = "Helmert transformation (least squares); three or more pairs always get it"},
};

std::vector<std::pair<std::string, std::string>> PairsOf(const CalcArguments& arguments, const Store& store) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!arguments.Has("pairs")) {
        return pairs;
    }
    for (const std::string& item : arguments.Names("pairs", store)) {
        const size_t colon = item.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == item.size() ||
            item.find(':', colon + 1) != std::string::npos) {
            throw CalcInputError("a control pair is OLD:NEW, got '" + item + "'");
        }
        pairs.emplace_back(item.substr(0, colon), item.substr(colon + 1));
    }
    return pairs;
}

CalcOutcome RunTransform(const CalcArguments& arguments, const Store& store) {
    const std::vector<std::string> names = arguments.Names("", store);
    const TransformMethod method = arguments.Flag("helmert") ? TransformMethod::Helmert : TransformMethod::TwoPoint;
    const TransformRun run = StartTransformation(names, PairsOf(arguments, store), method, store.Index());
    CalcOutcome outcome;
    outcome.lines.push_back(TransformCaption(run.fit.method));
    for (const std::string& line : TransformReport(run.fit, run.pairs)) {
        outcome.lines.push_back(line);
    }
    outcome.lines.emplace_back();
    std::vector<CalcPoint> moved;
    for (const std::string& name : names) {
        if (auto found = store.FindPointXY(name)) {
            const PlanePoint point = run.fit.Apply({found->x, found->y});
            outcome.lines.push_back(CalcPointLine(name, point));
            moved.push_back({name, point});
        } else {
            outcome.warnings.push_back(msg::NotFound(name));
            outcome.complete = false;
        }
    }
    outcome.transform = run;
    const std::vector<std::string> proposed = ProposedNames(store, moved.size());
    for (size_t i = 0; i < moved.size(); ++i) {
        outcome.newPoints.push_back({proposed[i], moved[i].point});
        outcome.overlay.marks.push_back({moved[i].point, moved[i].name});
    }
    return outcome;
}

} // namespace

extern const CalcDefinition kTransformCalculation{
    "transform", "座標変換", "two-point or Helmert transformation of named points", kTransformInputs, RunTransform,
    "座標変換",  22 /* F1 */};

} // namespace vemo
