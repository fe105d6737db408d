// The point grids as calculations: the inverse (open or radial) and the perpendicular lengths, listed in
// the grid's copy format, the form the clipboard and Result.Txt take.
#include "core/calc/Calculation.h"
#include "core/calc/GridText.h"
#include "core/calc/PointGrid.h"
#include "core/store/Store.h"
#include "core/text/Bytes.h"

#include <algorithm>

namespace vemo {

namespace {

// The perpendicular rows under their own headings (距離, 基1-, -基2), each column as wide as its widest
// cell and at least one blank apart, so that long names and long distances never push a figure under
// the next heading.  The row label and the name are left-aligned, the figures right-aligned.
std::vector<std::string> AlignedLines(const std::vector<GridRowText>& rows) {
    constexpr size_t kColumns = 5;
    const size_t least[kColumns] = {4, 10, 10, 10, 10};
    size_t width[kColumns];
    for (size_t c = 0; c < kColumns; ++c) {
        width[c] = least[c];
        for (const GridRowText& row : rows) {
            width[c] = std::max(width[c], std::string(TrimView(row[c])).size());
        }
    }
    std::vector<std::string> lines;
    for (const GridRowText& row : rows) {
        if (&row != &rows.front() && row[1].empty()) {
            continue;
        }
        std::string line;
        for (size_t c = 0; c < kColumns; ++c) {
            const std::string cell(TrimView(row[c]));
            const std::string pad(width[c] - cell.size(), ' ');
            line += (c == 0 ? "" : " ") + (c < 2 ? cell + pad : pad + cell);
        }
        lines.push_back(TrimRight(line));
    }
    return lines;
}

CalcOutcome RunGrid(GridMode mode, const CalcArguments& arguments, const Store& store) {
    const std::vector<std::string> names = arguments.Names("", store);
    // The window's grid shows what it can while names are still missing; the batch tool refuses.
    if (!arguments.WhileTyping()) {
        if (names.size() < 2) {
            throw CalcInputError("a coordinate file and at least two point names are needed");
        }
        for (const std::string& name : names) {
            CalcPointOf(store, name);
        }
    }
    const PointGridResult result = ComputePointGrid(mode, ResolveGridNames(names, store.Index()));
    CalcOutcome outcome;
    const auto rows = PointGridText(mode, names, result);
    outcome.lines = mode == GridMode::Perpendicular ? AlignedLines(rows) : GridCopyLines(rows);
    if (mode != GridMode::Perpendicular) {
        outcome.lines.push_back(result.area.area);
        outcome.lines.push_back(result.area.tsubo);
    }
    outcome.overlay = result.overlay;
    outcome.gridRows = result.rows;
    outcome.area = result.area;
    return outcome;
}

constexpr CalcInput kInverseInputs[] = {
    {.id = "",
     .caption = "点名",
     .kind = CalcInputKind::Points,
     .required = true,
     .help = "NAME...  the points in grid order"},
    {.id = "radial",
     .caption = "放射型",
     .kind = CalcInputKind::Flag,
     .help = "row 1 is the back-sight, row 2 the instrument point, then the observed points"},
    {.id = "perpendicular",
     .caption = "垂線長",
     .kind = CalcInputKind::Flag,
     .help = "rows 1 and 2 are the base line; the other points are dropped onto it"},
};

CalcOutcome RunInverse(const CalcArguments& arguments, const Store& store) {
    // The last of the two flags on the command line would win in the old command; both given is rare
    // enough that the perpendicular form, the more particular one, wins here.
    const GridMode mode = arguments.Flag("perpendicular") ? GridMode::Perpendicular
                          : arguments.Flag("radial")      ? GridMode::InverseRadial
                                                          : GridMode::InverseOpen;
    return RunGrid(mode, arguments, store);
}

constexpr CalcInput kPerpendicularInputs[] = {
    {.id = "",
     .caption = "点名",
     .kind = CalcInputKind::Points,
     .required = true,
     .help = "NAME...  the base line's two points, then the points dropped onto it"},
};

CalcOutcome RunPerpendicular(const CalcArguments& arguments, const Store& store) {
    return RunGrid(GridMode::Perpendicular, arguments, store);
}

} // namespace

extern const CalcDefinition kInverseCalculation{
    "inverse",
    "逆座標計算",
    "distance, direction angle and included angle of each leg, then the area lines",
    kInverseInputs,
    RunInverse,
    "逆座標",
    20 /* F1: the point grids */};

extern const CalcDefinition kPerpendicularCalculation{"perpendicular",
                                                      "垂線長計算",
                                                      "lengths along and square to a base line of named points",
                                                      kPerpendicularInputs,
                                                      RunPerpendicular,
                                                      "垂線長",
                                                      20};

} // namespace vemo
