#include "InverseCommand.h"

#include "CalcCommandSupport.h"

#include "core/calc/GridText.h"
#include "core/calc/PointGrid.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

const char* const kUsage =
    "usage: vemo-cli inverse [options] COORDS.Xyz NAME NAME...\n"
    "  The inverse computation of the calculation window over the named points: one row per point with\n"
    "  distance, direction angle and included angle in its copy format, then the area lines.\n"
    "  --radial          row 1 is the back-sight, row 2 the instrument point, then the observed points\n"
    "  --perpendicular   rows 1 and 2 are the base line; the other points are dropped onto it\n"
    "  --utf8            print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
    "  Names are given in the bytes of the coordinate file (with --utf8: in UTF-8).  Exit status: 0 done,\n"
    "  1 a file or point could not be read, 2 wrong command line.\n";

struct Request {
    std::string xyzPath;
    std::vector<std::string> names;
    GridMode mode = GridMode::InverseOpen;
    bool utf8 = false;
};

Request ParseArguments(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--radial") {
            request.mode = GridMode::InverseRadial;
        } else if (arg == "--perpendicular") {
            request.mode = GridMode::Perpendicular;
        } else if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (request.xyzPath.empty()) {
            request.xyzPath = arg;
        } else {
            request.names.push_back(arg);
        }
    }
    if (request.xyzPath.empty() || request.names.size() < 2) {
        throw UsageError{"a coordinate file and at least two point names are needed"};
    }
    return request;
}

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

int Run(int argc, char** argv) {
    Request request = ParseArguments(argc, argv);
    const auto store = LoadCoordinates(request.xyzPath);
    for (std::string& name : request.names) {
        if (request.utf8) {
            name = Utf8ToCp932(name).value_or(name);
        }
        if (!store->FindPointXY(name)) {
            throw Error(msg::NotFound(name));
        }
    }
    const auto result = ComputePointGrid(request.mode, ResolveGridNames(request.names, store->Index()));
    const auto rows = PointGridText(request.mode, request.names, result);
    auto lines = request.mode == GridMode::Perpendicular ? AlignedLines(rows) : GridCopyLines(rows);
    if (request.mode != GridMode::Perpendicular) {
        lines.push_back(result.area.area);
        lines.push_back(result.area.tsubo);
    }
    PrintLines(lines, request.utf8);
    return kExitDone;
}

} // namespace

int RunInverse(int argc, char** argv) {
    return RunGuarded("inverse", kUsage, Run, argc, argv);
}

} // namespace vemo::cli
