#include "ZubCommand.h"

#include "CalcCommandSupport.h"

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesPrecision.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/traverse/SurveyClass.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFields.h"
#include "core/zub/ZubFile.h"
#include "core/zub/ZubStationCheck.h"
#include "core/zub/ZubTransfer.h"

#include <cstdio>
#include <memory>
#include <string>

namespace vemo::cli {

namespace {

constexpr int kExitOverLimit = 4; // listed, but observations exceed the limits of the class

const char* const kUsage =
    "usage: vemo-cli zub [options] FIELDBOOK.ZUB\n"
    "  Lists the records of a field book (ZUB observation file), one line each: the line number, the\n"
    "  record letter, every field in [ ] as stored with its blanks, and the check character, 'ok' or\n"
    "  'WRONG' with the one the line should have (a line corrected by hand).  Output is UTF-8.\n"
    "  --trv OUT.Trv      also write the traverse table the ZUB Editor's transfer makes: a book with\n"
    "                     both faces reduced to the mean of its faces and sets, one row per direction of\n"
    "                     each station; a book of direct observations one row per observation\n"
    "  --direct           with --trv: the direct (正) observations only, as each was read\n"
    "  --class CLASS      check the observations of each station (倍角差, 観測差, 高度定数の較差, the\n"
    "                     spreads of the distances) against a grade of 作業規程の準則: 1, 2-1 (2級\n"
    "                     with a 1級 instrument), 2, 3, 4; the check table follows the listing\n"
    "  --xyz COORDS.Xyz   the coordinate file with the known stations and backsights, so that\n"
    "                     'vemo-cli traverse --xyz COORDS.Xyz OUT.Trv' computes the written table\n"
    "  Exit status: 0 listed (and written); a book with wrong check characters or without its end\n"
    "  record is still listed and exits with 0, with a warning on stderr; what the transfer left out is\n"
    "  told on stderr too.  1 the book cannot be read or the traverse file not written, 2 wrong command line,\n"
    "  4 (with --class) a station's observations exceed the limits of the class.\n";

struct Request {
    std::string zubPath;
    std::string trvPath;
    std::string xyzPath;
    bool direct = false;
    std::optional<SurveyClass> surveyClass;
};

Request ParseArguments(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trv" || arg == "--xyz") {
            if (i + 1 >= argc) {
                throw UsageError{"option " + arg + " needs a file"};
            }
            (arg == "--trv" ? request.trvPath : request.xyzPath) = argv[++i];
        } else if (arg == "--direct") {
            request.direct = true;
        } else if (arg == "--class") {
            if (i + 1 >= argc) {
                throw UsageError{"option --class needs a class"};
            }
            request.surveyClass = ParseSurveyClass(argv[++i]);
            if (!request.surveyClass || request.surveyClass->kind != SurveyClass::Kind::Grade) {
                throw UsageError{Cp932ToUtf8(msg::SurveyClassInvalid(Utf8ToCp932(argv[i]).value_or(argv[i])))};
            }
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (request.zubPath.empty()) {
            request.zubPath = arg;
        } else {
            throw UsageError{"only one field book, got '" + arg + "' too"};
        }
    }
    if (request.zubPath.empty()) {
        throw UsageError{"no field book given"};
    }
    if (!request.xyzPath.empty() && request.trvPath.empty()) {
        throw UsageError{"--xyz goes with --trv"};
    }
    return request;
}

void Warn(const std::string& cp932) {
    std::fprintf(stderr, "vemo-cli zub: %s\n", Cp932ToUtf8(cp932).c_str());
}

// A check character as it can be read: itself when printable, else its byte in hex.
std::string CheckText(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

std::string ListLine(size_t number, const std::string& line) {
    const std::string_view body = std::string_view(line).substr(0, line.size() - 2);
    std::string text = std::to_string(number);
    const auto fields = SplitZubBody(body);
    for (const std::string& field : *fields) {
        text += " [" + Cp932ToUtf8(field) + "]";
    }
    const char check = line[line.size() - 2];
    text += "  check " + CheckText(check);
    text += IsValidZubLine(line) ? " ok" : " WRONG, should be " + CheckText(ZubChecksum(body));
    return text + "\n";
}

int Run(const Request& request) {
    const ZubBook book = LoadZubBook(request.zubPath);
    int wrong = 0;
    for (size_t i = 0; i < book.lines.size(); ++i) {
        const std::string text = ListLine(i + 1, book.lines[i]);
        std::fwrite(text.data(), 1, text.size(), stdout);
        wrong += book.checkWrong[i] ? 1 : 0;
    }
    if (wrong > 0) {
        Warn(msg::ZubWrongChecks(wrong));
    }
    if (!book.endRecord) {
        Warn(msg::ZubNoEndBlock());
    }
    bool overLimit = false;
    if (request.surveyClass) {
        const ObservationLimits limits =
            GradeObservationLimits(request.surveyClass->index, request.surveyClass->firstGradeInstrument);
        const std::vector<ZubStationFigures> stations = ReduceZubStations(book.rows);
        std::string text = "\n" + Cp932ToUtf8(SurveyClassName(*request.surveyClass)) + "\n";
        for (const std::string& line : ZubCheckLines(stations, &limits)) {
            text += Cp932ToUtf8(line) + "\n";
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
        for (const ZubOverLimit& over : ZubStationsOverLimit(stations, limits)) {
            Warn(msg::ObservationOverLimit(over.station, Jp(over.figure),
                                           Sprintf(over.millimetres ? "%.1f mm" : Jp("%.0f″").c_str(), over.value),
                                           Sprintf(over.millimetres ? "%.0f mm" : Jp("%.0f″").c_str(), over.limit)));
            overLimit = true;
        }
    }
    if (request.trvPath.empty()) {
        return overLimit ? kExitOverLimit : 0;
    }
    const std::unique_ptr<Store> store =
        request.xyzPath.empty() ? std::make_unique<Store>() : LoadCoordinates(request.xyzPath);
    const TrvsKnownPoints known(*store);
    TrvsHeader header;
    TrvsTable table;
    table.SetZCalc(true); // the heights of the book go into the file
    const ZubReduction reduction = request.direct ? ZubReduction::DirectOnly : ZubReduction::Auto;
    for (const std::string& note :
         TransferZubToTraverse(book.rows, TrvsOptions{}, known, TodayText(), header, table, reduction)) {
        Warn(note);
    }
    SaveTrvFile(request.trvPath, header, table, false);
    std::printf("traverse table of %d rows written to %s\n", table.ObservationRows(), request.trvPath.c_str());
    return overLimit ? kExitOverLimit : 0;
}

} // namespace

int RunZub(int argc, char** argv) {
    return RunGuarded(
        "zub", kUsage, [](int n, char** args) { return Run(ParseArguments(n, args)); }, argc, argv);
}

} // namespace vemo::cli
