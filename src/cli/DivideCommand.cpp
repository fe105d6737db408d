#include "DivideCommand.h"

#include "CalcCommandSupport.h"

#include "core/division/ParallelDivision.h"
#include "core/division/RegisterDivision.h"
#include "core/store/CommaList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

const char* const kUsage =
    "usage: vemo-cli divide COORDS.Xyz --ring A,B,C,D,A --area T\n"
    "                       (--parallel BASE1,BASE2,ANGLE,START | --from-first) [--utf8]\n"
    "  Divides the parcel whose vertices are the named points of the coordinate file so that the\n"
    "  secured side (求積側) holds at least T m² with its new points rounded to millimetres.\n"
    "  --parallel B1,B2,ANGLE,START  a dividing line turned ANGLE (D.MMSS, below 180) from the base\n"
    "                 line B1->B2, moved parallel; the target is secured on the side of START, which\n"
    "                 snaps to the nearer extreme vertex across the line\n"
    "  --from-first   the dividing line runs from the first vertex to a new point P1\n"
    "  --utf8         print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
    "  Prints P1 (and P2; a corner of the parcel the line passes through is named, not made anew), then\n"
    "  each part's vertex list with 面積, 地積 and 坪数, then the parcel's area, the sum of the parts\n"
    "  and their difference with its reason.  Exit status: 0 done, 1 not divisible (message on\n"
    "  stderr), 2 wrong command line.\n";

struct Request {
    std::string xyzPath;
    std::vector<std::string> ring;
    std::optional<double> target;
    std::optional<ParallelFields> parallel;
    bool fromFirst = false;
    bool utf8 = false;
};

ParallelFields ParseParallel(const std::string& text) {
    const auto fields = SplitArgument(text, ',');
    if (fields.size() != 4) {
        throw UsageError{"--parallel takes BASE1,BASE2,ANGLE,START, got '" + text + "'"};
    }
    const double angle = fields[2].empty() ? 0.0 : StrToFloat(fields[2]);
    if (!IsDividingAngle(angle)) {
        throw UsageError{"the angle must be below 180 (D.MMSS), got '" + fields[2] + "'"};
    }
    return {NameArgument(fields[0]), NameArgument(fields[1]), angle, NameArgument(fields[3])};
}

const char* OptionValue(int argc, char** argv, int& i) {
    if (i + 1 >= argc) {
        throw UsageError{std::string("option ") + argv[i] + " needs a value"};
    }
    return argv[++i];
}

Request ParseArguments(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--ring") {
            for (const std::string& name : SplitArgument(OptionValue(argc, argv, i), ',')) {
                request.ring.push_back(NameArgument(name));
            }
        } else if (arg == "--area") {
            request.target = StrToFloat(OptionValue(argc, argv, i));
        } else if (arg == "--parallel") {
            request.parallel = ParseParallel(OptionValue(argc, argv, i));
        } else if (arg == "--from-first") {
            request.fromFirst = true;
        } else if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (request.xyzPath.empty()) {
            request.xyzPath = arg;
        } else {
            throw UsageError{"only one coordinate file, got '" + arg + "' too"};
        }
    }
    if (request.xyzPath.empty() || request.ring.empty() || !request.target) {
        throw UsageError{"a coordinate file, --ring and --area are needed"};
    }
    if (request.fromFirst == request.parallel.has_value()) {
        throw UsageError{"give one method: --parallel or --from-first"};
    }
    return request;
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

int Run(int argc, char** argv) {
    const Request request = ParseArguments(argc, argv);
    const auto store = LoadCoordinates(request.xyzPath);
    const DivisionParcel parcel = LoadDivisionParcel(request.ring, store->Index());
    const DivisionResult result = request.parallel
                                      ? DivideParallel(parcel, *request.target, *request.parallel, store->Index())
                                      : DivideFromFirstPoint(parcel, *request.target);
    std::vector<std::string> lines;
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
    PrintLines(lines, request.utf8);
    return kExitDone;
}

} // namespace

int RunDivide(int argc, char** argv) {
    return RunGuarded("divide", kUsage, Run, argc, argv);
}

} // namespace vemo::cli
