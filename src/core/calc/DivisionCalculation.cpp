// The constant-area division as a calculation: P1 (and P2), then each part's vertex list with 面積, 地積
// and 坪数, the excess under the secured side.
#include "core/calc/Calculation.h"
#include "core/division/Division.h"
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

// "P1: X Y" with a blank between the coordinates however long they are; a corner the line passes
// through is named instead of becoming a new point.
std::string PointLine(const char* label, PlanePoint p, const std::string& vertex) {
    std::string line = std::string(label) + ": " + DivisionPointText(p.x) + " " + DivisionPointText(p.y);
    if (!vertex.empty()) {
        line += Jp(" (既存点 ") + vertex + ")";
    }
    return line;
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
    outcome.division = result;
    std::vector<std::string>& lines = outcome.lines;
    lines.push_back(PointLine("P1", result.p1, result.p1Vertex));
    if (result.p2) {
        lines.push_back(PointLine("P2", *result.p2, result.p2Vertex));
    }
    AddPart(lines, "求積側: ", result.secured);
    lines.push_back("  " + DivisionExcessText(result));
    AddPart(lines, "残地側: ", result.remainder);
    for (const std::string& text : DivisionSumTexts(result)) {
        lines.push_back(text);
    }

    const DivisionRegistration names = SuggestDivisionNames(store);
    // A corner the line passes through is reused, never registered again.
    if (result.p1Vertex.empty()) {
        outcome.newPoints.push_back({names.p1Name, result.p1});
    }
    outcome.overlay.marks.push_back({result.p1, "P1"});
    if (result.p2) {
        if (result.p2Vertex.empty()) {
            outcome.newPoints.push_back({names.p2Name, *result.p2});
        }
        outcome.overlay.marks.push_back({*result.p2, "P2"});
        outcome.overlay.segments.push_back({result.p1, *result.p2, false});
    }
    return outcome;
}

} // namespace

extern const CalcDefinition kDivisionCalculation{"divide",
                                                 "定面積分割計算",
                                                 "constant-area division of a parcel (parallel or from a vertex)",
                                                 kDivisionInputs,
                                                 RunDivision,
                                                 "定面積分割",
                                                 23 /* F1 */};

} // namespace vemo
