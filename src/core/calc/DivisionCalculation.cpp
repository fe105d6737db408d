// The constant-area division as a calculation: P1 (and P2), then each part's vertex list with 面積, 地積
// and 坪数, the excess under the secured side.
#include "core/calc/Calculation.h"
#include "core/division/ParallelDivision.h"
#include "core/division/RegisterDivision.h"
#include "core/store/CommaList.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

constexpr CalcInput kDivisionInputs[] = {
    {.id = "ring",
     .caption = "分割元地",
     .kind = CalcInputKind::Points,
     .required = true,
     .help = "A,B,C,D,A  the parcel's vertices"},
    {.id = "area",
     .caption = "分割面積",
     .kind = CalcInputKind::Area,
     .required = true,
     .help = "T  the area the secured side (求積側) holds at least, m²"},
    {.id = "parallel",
     .caption = "平行分割",
     .kind = CalcInputKind::Text,
     .help = "B1,B2,ANGLE,START  a dividing line turned ANGLE (D.MMSS, below 180) from the base line B1->B2, "
             "moved parallel; the target is secured on the side of START"},
    {.id = "from-first",
     .caption = "1点からの分割",
     .kind = CalcInputKind::Flag,
     .help = "the dividing line runs from the first vertex to a new point P1"},
};

ParallelFields ParallelOf(const std::string& text) {
    std::vector<std::string> fields;
    for (size_t begin = 0;;) {
        const size_t end = text.find(',', begin);
        fields.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos) {
            break;
        }
        begin = end + 1;
    }
    if (fields.size() != 4) {
        throw CalcInputError("--parallel takes BASE1,BASE2,ANGLE,START, got '" + text + "'");
    }
    const double angle = fields[2].empty() ? 0.0 : StrToFloat(fields[2]);
    if (!IsDividingAngle(angle)) {
        throw CalcInputError("the angle must be below 180 (D.MMSS), got '" + fields[2] + "'");
    }
    return {fields[0], fields[1], angle, fields[3]};
}

void AddPart(std::vector<std::string>& lines, const char* caption, const DivisionPart& part) {
    lines.push_back(Jp(caption) + EncodeCommaList(NamedPart(part, "P1", "P2")));
    for (const std::string& text : DivisionAreaTexts(part.figures)) {
        lines.push_back("  " + text);
    }
}

CalcOutcome RunDivision(const CalcArguments& arguments, const Store& store) {
    const bool fromFirst = arguments.Flag("from-first");
    if (fromFirst == arguments.Has("parallel")) {
        throw CalcInputError("give one method: --parallel or --from-first");
    }
    const std::optional<ParallelFields> parallel =
        fromFirst ? std::nullopt : std::optional(ParallelOf(arguments.Text("parallel")));
    const double target = arguments.Number("area");
    const DivisionParcel parcel = LoadDivisionParcel(arguments.Names("ring", store), store.Index());
    const DivisionResult result =
        parallel ? DivideParallel(parcel, target, *parallel, store.Index()) : DivideFromFirstPoint(parcel, target);
    CalcOutcome outcome;
    std::vector<std::string>& lines = outcome.lines;
    lines.push_back("P1: " + DivisionPointText(result.p1.x) + DivisionPointText(result.p1.y));
    if (result.p2) {
        lines.push_back("P2: " + DivisionPointText(result.p2->x) + DivisionPointText(result.p2->y));
    }
    AddPart(lines, "求積側: ", result.secured);
    lines.push_back("  " + DivisionExcessText(result));
    AddPart(lines, "残地側: ", result.remainder);

    const DivisionRegistration names = SuggestDivisionNames(store);
    outcome.newPoints.push_back({names.p1Name, result.p1});
    outcome.overlay.marks.push_back({result.p1, "P1"});
    if (result.p2) {
        outcome.newPoints.push_back({names.p2Name, *result.p2});
        outcome.overlay.marks.push_back({*result.p2, "P2"});
        outcome.overlay.segments.push_back({result.p1, *result.p2, false});
    }
    return outcome;
}

} // namespace

extern const CalcDefinition kDivisionCalculation{"divide", "定面積分割計算",
                                                 "constant-area division of a parcel (parallel or from a vertex)",
                                                 kDivisionInputs, RunDivision};

} // namespace vemo
