#include "TransformCommand.h"

#include "CalcCommandSupport.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"
#include "core/transform/TransformReport.h"
#include "core/transform/Transformation.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace vemo::cli {

namespace {

const char* const kUsage =
    "usage: vemo-cli transform COORDS.Xyz --pairs OLD:NEW,OLD:NEW,... [--helmert] [--utf8] NAME...\n"
    "  Transforms the named points of the coordinate file from the old system into the new one,\n"
    "  fitted to control points whose old and new coordinates are both points of the file.\n"
    "  --pairs LIST   control pairs, old name and new name joined by ':' and pairs by ','\n"
    "  --helmert      Helmert transformation (rotation, scale, translation by least squares);\n"
    "                 the default two-point transformation fits the first two pairs exactly.\n"
    "                 Three or more pairs always get the Helmert transformation.\n"
    "  --utf8         print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
    "  Prints the report (parameters, and for Helmert σ and the largest residual), then one line per\n"
    "  point: name, X, Y.  Names the file does not hold are reported on stderr.  Exit status: 0 done,\n"
    "  1 not computed or a name not found, 2 wrong command line.\n";

struct Request {
    std::string xyzPath;
    std::vector<std::pair<std::string, std::string>> pairs;
    TransformMethod method = TransformMethod::TwoPoint;
    std::vector<std::string> names;
    bool utf8 = false;
};

std::vector<std::pair<std::string, std::string>> ParsePairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string& item : SplitArgument(text, ',')) {
        const auto parts = SplitArgument(item, ':');
        if (parts.size() != 2 || parts[0].empty() || parts[1].empty()) {
            throw UsageError{"a control pair is OLD:NEW, got '" + item + "'"};
        }
        pairs.emplace_back(NameArgument(parts[0]), NameArgument(parts[1]));
    }
    return pairs;
}

Request ParseArguments(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pairs") {
            if (i + 1 >= argc) {
                throw UsageError{"option --pairs needs a list"};
            }
            request.pairs = ParsePairs(argv[++i]);
        } else if (arg == "--helmert") {
            request.method = TransformMethod::Helmert;
        } else if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (request.xyzPath.empty()) {
            request.xyzPath = arg;
        } else {
            request.names.push_back(NameArgument(arg));
        }
    }
    if (request.xyzPath.empty()) {
        throw UsageError{"no coordinate file given"};
    }
    return request;
}

int Run(int argc, char** argv) {
    const Request request = ParseArguments(argc, argv);
    const auto store = LoadCoordinates(request.xyzPath);
    const TransformRun run = StartTransformation(request.names, request.pairs, request.method, store->Index());
    const Transformation& t = run.fit;
    const std::vector<ControlPair>& pairs = run.pairs;
    std::vector<std::string> lines{TransformCaption(t.method)};
    for (const std::string& line : TransformReport(t, pairs)) {
        lines.push_back(line);
    }
    lines.emplace_back();
    int missing = 0;
    for (const std::string& name : request.names) {
        if (auto found = store->FindPointXY(name)) {
            const PlanePoint moved = t.Apply({found->x, found->y});
            lines.push_back(Sprintf("%-16s%15s%15s", name.c_str(), Format3(moved.x).c_str(), Format3(moved.y).c_str()));
        } else {
            std::fprintf(stderr, "vemo-cli transform: %s\n", Cp932ToUtf8(msg::NotFound(name)).c_str());
            ++missing;
        }
    }
    PrintLines(lines, request.utf8);
    return missing == 0 ? kExitDone : kExitFailed;
}

} // namespace

int RunTransform(int argc, char** argv) {
    return RunGuarded("transform", kUsage, Run, argc, argv);
}

} // namespace vemo::cli
