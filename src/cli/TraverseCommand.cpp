#include "TraverseCommand.h"

#include "CalcCommandSupport.h"
#include "PdfOutput.h"

#include "core/files/XyzFile.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesPrecision.h"
#include "core/text/MessagesTraverse.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/SurveyClassFile.h"
#include "core/traverse/TrvsBlunderLocation.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsJudgement.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/PrecisionSheet.h"
#include "core/zub/ZubFile.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

constexpr int kExitLimit = 4; // computed, but the traverse fails the limits of its class

const char* const kUsage =
    "usage: vemo-cli traverse [options] FILE.Trv\n"
    "  Computes a traverse file and prints the listing a surveyor would print: the adjusted listing\n"
    "  for closed (閉合) and connected (結合) traverses, the unadjusted one for open (開放) and\n"
    "  radial (放射) traverses.\n"
    "  --xyz FILE         coordinate file (.Xyz) holding the known points the traverse names\n"
    "  --compass          distribute the misclosure by the compass rule (default)\n"
    "  --transit          distribute it by the transit rule\n"
    "  --zenith           vertical angles are zenith angles (default)\n"
    "  --elevation        vertical angles are elevation angles\n"
    "  --z / --no-z       Z calculation on or off (default: on when the file's start height is not 0)\n"
    "  --input            print the input listing first\n"
    "  --precision        print the eight precision lines (closed and connected only) first\n"
    "  --class CLASS      judge the closures by a class: 1, 2, 2-1 (2級 with a 1級 instrument), 3, 4\n"
    "                     (作業規程の準則), 甲一 … 乙三 (精度区分), user:RATIO:SECONDS (1/RATIO and\n"
    "                     SECONDS″√n), none; default: the class kept beside the file (NAME.Class.ini)\n"
    "  --sheet OUT.pdf    also write the 精度管理表 of the traverse (its heading from NAME.Class.ini)\n"
    "  --zub BOOK.ZUB     with --sheet: the field book whose stations the sheet checks\n"
    "  --utf8             print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF,\n"
    "                     the bytes of the traverse files, ready to be redirected into a file\n"
    "  With a class the judgement follows the listing; a failing traverse and its likely blunder are\n"
    "  reported on stderr.  Without one, a closure ratio worse than 1/1,000 or an angle misclosure over\n"
    "  5′ is warned on stderr.  Rows that could not be computed and errors are reported on stderr\n"
    "  (UTF-8).  Exit status: 0 done, 1 nothing or not every row computed, 2 wrong command line, 4 the\n"
    "  traverse fails the limits of its class.\n";

struct Request {
    std::string trvPath;
    std::string xyzPath;
    TrvsOptions options;
    std::optional<bool> zCalc;
    bool input = false;
    bool precision = false;
    bool utf8 = false;
    std::optional<SurveyClass> surveyClass;
    std::string sheetPath;
    std::string zubPath;
};

Request ParseArguments(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--xyz") {
            if (i + 1 >= argc) {
                throw UsageError{"option --xyz needs a file"};
            }
            request.xyzPath = argv[++i];
        } else if (arg == "--compass" || arg == "--transit") {
            request.options.ErrDiv = arg == "--compass" ? 1 : 0;
        } else if (arg == "--zenith" || arg == "--elevation") {
            request.options.Ver0 = arg == "--zenith" ? 1 : 0;
        } else if (arg == "--z" || arg == "--no-z") {
            request.zCalc = arg == "--z";
        } else if (arg == "--input") {
            request.input = true;
        } else if (arg == "--precision") {
            request.precision = true;
        } else if (arg == "--class") {
            if (i + 1 >= argc) {
                throw UsageError{"option --class needs a class"};
            }
            request.surveyClass = ParseSurveyClass(argv[++i]);
            if (!request.surveyClass) {
                throw UsageError{Cp932ToUtf8(msg::SurveyClassInvalid(Utf8ToCp932(argv[i]).value_or(argv[i])))};
            }
        } else if (arg == "--sheet" || arg == "--zub") {
            if (i + 1 >= argc) {
                throw UsageError{"option " + arg + " needs a file"};
            }
            (arg == "--sheet" ? request.sheetPath : request.zubPath) = argv[++i];
        } else if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (request.trvPath.empty()) {
            request.trvPath = arg;
        } else {
            throw UsageError{"only one traverse file, got '" + arg + "' too"};
        }
    }
    if (request.trvPath.empty()) {
        throw UsageError{"no traverse file given"};
    }
    if (!request.zubPath.empty() && request.sheetPath.empty()) {
        throw UsageError{"--zub goes with --sheet"};
    }
    if (!request.sheetPath.empty() && !cli::CanWritePdf()) {
        throw UsageError{"this build cannot write PDF files (--sheet)"};
    }
    return request;
}

void Warn(const std::string& cp932) {
    std::fprintf(stderr, "vemo-cli traverse: %s\n", Cp932ToUtf8(cp932).c_str());
}

// The listing of a traverse and the rows it could not compute.
struct Computed {
    std::vector<std::string> lines;
    std::vector<std::string> problems;
    // A closed or connected traverse: its judgement and what to say of a failure.
    std::optional<TrvsJudgement> judgement;
    std::string blunder;
    std::vector<PrecisionSheetDistance> legs;
};

// The listing, or nothing when the start (or end) fields are incomplete.
std::optional<Computed> Compute(const Request& request, const TrvsInput& input) {
    Computed computed;
    const int type = input.header.TrvsType;
    if (request.input) {
        AppendInputListing(computed.lines, input.header, input.table);
    }
    if (type == kTrvsOpen || type == kTrvsRadial) {
        const RawTraverse raw = ComputeRawTraverse(input);
        if (raw.PointCount() == 0) {
            return std::nullopt;
        }
        AppendRawListing(computed.lines, raw);
        computed.problems = raw.problems;
        return computed;
    }
    const std::optional<AdjustedTraverse> adjusted = AdjustTraverse(input);
    if (!adjusted) {
        return std::nullopt;
    }
    if (request.precision) {
        auto dialog = PrecisionDialogLines(type, adjusted->precision);
        computed.lines.insert(computed.lines.end(), dialog.begin(), dialog.end());
        computed.lines.emplace_back();
    }
    AppendAdjustedListing(computed.lines, *adjusted);
    computed.problems = adjusted->problems;
    const SurveyClass surveyClass = request.surveyClass.value_or(ReadSurveyClass(request.trvPath));
    const std::optional<TrvsRoute> route = RouteOf(input, *adjusted);
    computed.judgement = JudgeTraverse(surveyClass, *adjusted, route ? &*route : nullptr);
    if (route) {
        computed.blunder = BlunderText(*computed.judgement, *route);
    }
    computed.legs = TraverseLegDistances(*adjusted);
    if (surveyClass.kind != SurveyClass::Kind::None) {
        computed.lines.emplace_back();
        auto judged = JudgementLines(*computed.judgement);
        computed.lines.insert(computed.lines.end(), judged.begin(), judged.end());
    }
    return computed;
}

// The 精度管理表 of the traverse (and of its field book) into a PDF file.
void WriteSheet(const Request& request, const TrvsHeader& header, const Computed& computed) {
    PrecisionSheet sheet;
    sheet.info = ReadPrecisionSheetInfo(request.trvPath);
    if (sheet.info.work.empty()) {
        sheet.info.work = header.remark;
    }
    sheet.surveyClass = request.surveyClass.value_or(ReadSurveyClass(request.trvPath));
    if (computed.judgement) {
        const std::string end = header.TrvsType == kTrvsConnected ? header.T2No : header.T0No;
        sheet.routes.push_back({header.T0No, end, *computed.judgement});
    }
    if (!request.zubPath.empty()) {
        sheet.stations = ReduceZubStations(LoadZubBook(request.zubPath).rows);
    }
    if (sheet.surveyClass.kind == SurveyClass::Kind::Grade) {
        sheet.limits = GradeObservationLimits(sheet.surveyClass.index, sheet.surveyClass.firstGradeInstrument);
    }
    sheet.distances = computed.legs;
    std::vector<ReportLine> lines = PrecisionSheetLines(sheet);
    cli::WriteLinesPdf(request.sheetPath, "精度管理表", lines); // the title is UTF-8, as Qt takes it
}

int Run(const Request& request) {
    auto store = std::make_unique<Store>();
    if (!request.xyzPath.empty()) {
        if (!ReadXyzFile(request.xyzPath, store->xyz)) {
            throw Error(msg::CoordinateFileUnreadable(request.xyzPath));
        }
    }
    TrvsHeader header;
    TrvsTable table;
    LoadTrvFile(request.trvPath, request.options, TodayText(), header, table);
    if (request.zCalc) {
        table.SetZCalc(*request.zCalc);
    }
    TrvsKnownPoints known(*store);
    const TrvsInput input{header, table, request.options, known};
    const std::optional<Computed> computed = Compute(request, input);
    if (!computed) {
        Warn(msg::TraverseStartIncomplete());
        return kExitFailed;
    }
    PrintLines(computed->lines, request.utf8);
    if (!request.sheetPath.empty()) {
        WriteSheet(request, header, *computed);
    }
    for (const std::string& problem : computed->problems) {
        Warn(problem);
    }
    bool failsClass = false;
    if (computed->judgement && !computed->judgement->Pass()) {
        const TrvsJudgement& j = *computed->judgement;
        const bool classed = j.surveyClass.kind != SurveyClass::Kind::None;
        Warn(classed ? msg::PrecisionLimitExceeded(SurveyClassName(j.surveyClass), FailureText(j))
                     : msg::GrossMisclosure(FailureText(j)));
        if (!computed->blunder.empty()) {
            Warn(computed->blunder);
        }
        failsClass = classed;
    }
    if (!computed->problems.empty()) {
        return kExitFailed;
    }
    return failsClass ? kExitLimit : 0;
}

} // namespace

int RunTraverse(int argc, char** argv) {
    return RunGuarded(
        "traverse", kUsage, [](int count, char** args) { return Run(ParseArguments(count, args)); }, argc, argv);
}

} // namespace vemo::cli
