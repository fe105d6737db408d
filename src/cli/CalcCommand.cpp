#include "CalcCommand.h"

#include "CalcCommandSupport.h"
#include "PdfOutput.h"

#include "core/calc/Calculation.h"
#include "core/files/Sima.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

const char* const kCalcUsage = "usage: vemo-cli calc --list [--utf8]\n"
                               "       vemo-cli calc ID --help\n"
                               "       vemo-cli calc ID COORDS.Xyz [options] [NAME...]\n"
                               "  Runs a calculation of the calculation window over the points of a coordinate file.\n"
                               "  --list prints one calculation a line: its id and its caption.\n";

bool TakesValue(CalcInputKind kind) {
    return kind != CalcInputKind::Flag;
}

std::string RangeText(const CalcInput& input) {
    std::string text;
    if (std::isfinite(input.minimum)) {
        text += " (at least " + FormatGeneral(input.minimum);
    }
    if (std::isfinite(input.maximum)) {
        text += (text.empty() ? " (at most " : ", at most ") + FormatGeneral(input.maximum);
    }
    return text.empty() ? text : text + ")";
}

std::string Usage(const CalcDefinition& definition, std::string_view command) {
    const CalcInput* positional = FindInput(definition, "");
    std::string usage = "usage: vemo-cli " + std::string(command) + " COORDS.Xyz [options]" +
                        (positional ? " NAME..." : "") + "\n  " + std::string(definition.summary) + " (" +
                        std::string(definition.caption) + ")\n";
    for (const CalcInput& input : definition.inputs) {
        const std::string name = input.id.empty() ? std::string() : "--" + std::string(input.id) + " ";
        usage += "  " + name + std::string(input.help) + " [" + std::string(input.caption) + "]" + RangeText(input);
        if (!input.defaultText.empty()) {
            usage += " (default " + std::string(input.defaultText) + ")";
        }
        usage += input.required ? " (required)\n" : "\n";
    }
    usage += "  --utf8 print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
             "  --sima FILE  write the points the calculation hands on (or its new points) as SIMA\n"
             "  --pdf FILE   write its printed form, if it has one, into a PDF file\n"
             "  Names are given in UTF-8 or in the bytes of the coordinate file.  Exit status: 0 done,\n"
             "  1 a file or point could not be read or the calculation not done, 2 wrong command line,\n"
             "  3 done with warnings (on stderr).\n";
    return usage;
}

struct Request {
    std::string xyzPath;
    CalcArguments arguments;
    std::string positional;
    bool anyPositional = false;
    bool utf8 = false;
    std::string sima;
    std::string pdf;
};

Request ParseArguments(const CalcDefinition& definition, int argc, char** argv) {
    Request request;
    const CalcInput* positional = FindInput(definition, "");
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                throw UsageError{"option " + arg + " needs a value"};
            }
            return argv[++i];
        };
        if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg == "--sima") {
            request.sima = value();
        } else if (arg == "--pdf") {
            request.pdf = value();
        } else if (arg.starts_with("--")) {
            const CalcInput* input = FindInput(definition, std::string_view(arg).substr(2));
            if (!input || input->id.empty()) {
                throw UsageError{"unknown option " + arg};
            }
            request.arguments.Set(input->id, TakesValue(input->kind) ? NameArgument(value()) : std::string());
        } else if (request.xyzPath.empty()) {
            request.xyzPath = arg;
        } else if (positional) {
            request.positional += (request.anyPositional ? "," : "") + NameArgument(arg);
            request.anyPositional = true;
        } else {
            throw UsageError{"only one coordinate file, got '" + arg + "' too"};
        }
    }
    if (request.anyPositional) {
        request.arguments.Set("", request.positional);
    }
    if (request.xyzPath.empty()) {
        throw UsageError{"no coordinate file given"};
    }
    try {
        CheckArguments(definition, request.arguments);
    } catch (const CalcInputError& e) {
        throw UsageError{e.what()};
    }
    return request;
}

std::vector<ExportPoint> SimaPoints(const std::vector<CalcPoint>& points) {
    std::vector<ExportPoint> exported;
    for (const CalcPoint& point : points) {
        exported.push_back({static_cast<int>(exported.size()) + 1, point.name, point.point.x, point.point.y, 0.0});
    }
    return exported;
}

int Run(const CalcDefinition& definition, std::string_view command, int argc, char** argv) {
    Request request = ParseArguments(definition, argc, argv);
    if (!request.pdf.empty() && !CanWritePdf()) {
        throw UsageError{"this vemo-cli was built without the window layer and cannot write PDF"};
    }
    const auto store = LoadCoordinates(request.xyzPath);
    CalcOutcome outcome;
    try {
        outcome = definition.run(request.arguments, *store);
    } catch (const CalcInputError& e) {
        throw UsageError{e.what()};
    }
    for (const std::string& warning : outcome.warnings) {
        std::fprintf(stderr, "vemo-cli %s: %s\n", std::string(command).c_str(), Cp932ToUtf8(warning).c_str());
    }
    if (!request.sima.empty()) {
        const SimaNames names{Jp(definition.caption),
                              Utf8ToCp932(std::filesystem::path(request.xyzPath).stem().string())
                                  .value_or(std::filesystem::path(request.xyzPath).stem().string()),
                              {}};
        WriteSimaFile(request.sima, names,
                      SimaPoints(outcome.handedOver.empty() ? outcome.newPoints : outcome.handedOver));
    }
    if (!request.pdf.empty()) {
        if (outcome.report.empty()) {
            throw UsageError{std::string(definition.id) + " has no printed form"};
        }
        WriteLinesPdf(request.pdf, outcome.reportTitle, outcome.report);
    }
    PrintLines(outcome.lines, request.utf8);
    if (!outcome.complete) {
        return kExitFailed;
    }
    return outcome.warnings.empty() ? kExitDone : kExitWarnings;
}

int RunList(bool utf8) {
    std::vector<std::string> lines;
    for (const CalcDefinition* definition : Calculations()) {
        lines.push_back(Sprintf("%-16s", std::string(definition->id).c_str()) + Jp(definition->caption));
    }
    PrintLines(lines, utf8);
    return kExitDone;
}

} // namespace

int RunCalculationCommand(std::string_view id, int argc, char** argv) {
    const CalcDefinition* definition = FindCalculation(id);
    const std::string command(argv[0]);
    const std::string usage = Usage(*definition, command);
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::fputs(usage.c_str(), stdout);
            return kExitDone;
        }
    }
    return RunGuardedBody(command.c_str(), usage.c_str(), [&] { return Run(*definition, command, argc, argv); });
}

int RunCalc(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::fputs(kCalcUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : kExitDone;
    }
    const std::string id = argv[1];
    if (id == "--list") {
        return RunList(argc > 2 && std::string(argv[2]) == "--utf8");
    }
    if (!FindCalculation(id)) {
        std::fprintf(stderr, "vemo-cli calc: unknown calculation '%s'; 'vemo-cli calc --list' lists them\n",
                     id.c_str());
        return kExitUsage;
    }
    // argv[1] names the command from here on: "vemo-cli calc stakeout: ..."
    std::string command = "calc " + id;
    std::vector<char*> args(argv + 1, argv + argc);
    args[0] = command.data();
    return RunCalculationCommand(id, static_cast<int>(args.size()), args.data());
}

} // namespace vemo::cli
