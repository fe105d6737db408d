#include "ParcelCommands.h"

#include "CalcCommandSupport.h"
#include "PdfOutput.h"
#include "core/files/BlkFile.h"
#include "core/files/DataSource.h"
#include "core/files/XyzFile.h"
#include "core/parcels/AreaReports.h"
#include "core/parcels/ParcelArea.h"
#include "core/parcels/ParcelRing.h"
#include "core/print/CoordinateListPrint.h"
#include "core/print/ReportHeading.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/surveymap/SiteSurveyInfo.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesFiles.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

const char* const kAreasUsage =
    "usage: vemo-cli areas [options] COORDS.Xyz PARCELS.Blk\n"
    "  Prints the area list (画地面積一覧) of every parcel: 面積, 地積 (truncated to 0.01 m2) and 坪数.\n"
    "  --report      print the coordinate area report (座標面積計算書) instead\n"
    "  --by-category add each parcel's 地積 as registered for its 地目 (宅地 and 鉱泉地 to 0.01 m2, others\n"
    "                to 1 m2 above 10 m2); the 地目 come from VemoSurveyMap.txt beside the coordinate file\n"
    "  --pdf FILE    write the printed form (the area report with --report) into a PDF file\n"
    "  --utf8        print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
    "  A parcel naming points the coordinate file lacks is still computed (each missing point where the\n"
    "  point before it stands), marked in the output and named in a warning on stderr.\n"
    "  Exit status: 0 done, 1 a file could not be read or written, 2 wrong command line,\n"
    "  3 done, but a parcel names points the coordinate file lacks.\n";

const char* const kPrintListUsage =
    "usage: vemo-cli print-list COORDS.Xyz --pdf OUT.pdf\n"
    "  Writes the printed coordinate list (座標リスト, 65 rows a page) into a PDF file.\n"
    "  Exit status: 0 done, 1 a file could not be read or written, 2 wrong command line.\n";

// Written in full, but the areas of some parcels count points the coordinate file does not hold.
constexpr int kExitMissingPoints = 3;

struct Request {
    std::vector<std::string> files;
    std::string pdf;
    bool report = false;
    bool utf8 = false;
    bool byCategory = false;
};

Request Parse(int argc, char** argv, bool allowReport) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--pdf") {
            if (i + 1 >= argc) {
                throw UsageError{"option --pdf needs a file name"};
            }
            request.pdf = argv[++i];
        } else if (allowReport && arg == "--report") {
            request.report = true;
        } else if (allowReport && arg == "--by-category") {
            request.byCategory = true;
        } else if (allowReport && arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else {
            request.files.push_back(arg);
        }
    }
    return request;
}

void ReadCoordinates(const std::string& path, XyzList& list, XyzNameIndex& index) {
    if (!ReadXyzFile(path, list)) {
        throw Error(msg::CannotOpenInput(path));
    }
    index.Rebuild(list);
}

// A warning on stderr for every covered parcel with vertices the coordinate file lacks; true when any.
bool WarnMissingPoints(const BlockList& blocks, const std::vector<int>& positions, const XyzNameIndex& index) {
    bool any = false;
    for (int p : positions) {
        const Block& block = blocks.At(p);
        std::vector<RingPoint> ring = ParcelRingPoints(block.NoList, index);
        std::vector<std::string> missing = MissingRingNames(ring);
        if (!missing.empty()) {
            std::fprintf(
                stderr, "vemo-cli areas: %s\n",
                Cp932ToUtf8(msg::InParcel(block.BlockName) + msg::MissingParcelPoints(missing, !ring.front().found))
                    .c_str());
            any = true;
        }
    }
    return any;
}

int RunAreasRequest(const Request& request) {
    XyzList list;
    XyzNameIndex index;
    ReadCoordinates(request.files[0], list, index);
    BlockList blocks;
    if (!ReadBlkFile(request.files[1], blocks)) {
        throw Error(msg::CannotOpenInput(request.files[1]));
    }
    std::vector<int> positions = CoveredParcelPositions(blocks.Count(), {});
    const std::filesystem::path xyz = std::filesystem::absolute(request.files[0]);
    std::string title = xyz.filename().string();
    ParcelCategoryOf categoryOf;
    surveymap::SiteSurveyInfo info;
    if (request.byCategory) {
        info = surveymap::ReadSiteSurveyInfo(xyz.parent_path());
        categoryOf = [&info](const std::string& parcel) {
            const surveymap::ParcelSurveyInfo* stated = info.Parcel(parcel);
            return stated != nullptr ? stated->category : std::string();
        };
    }
    const int status = WarnMissingPoints(blocks, positions, index) ? kExitMissingPoints : kExitDone;
    if (request.report) {
        std::vector<ReportLine> lines = AreaReportLines(blocks, positions, index, categoryOf);
        if (!request.pdf.empty()) {
            // The site is the folder of the coordinate file, the data its name without the extension.
            auto cp932 = [](const std::filesystem::path& name) {
                return Utf8ToCp932(name.string()).value_or(name.string());
            };
            const ReportHeading heading{cp932(xyz.parent_path().filename()), cp932(xyz.stem()), ReportDateToday(),
                                        SourceOfDataSet(xyz)};
            WriteLinesPdf(request.pdf, title, lines, &heading);
        }
        std::vector<std::string> texts;
        for (ReportLine& line : lines) {
            texts.push_back(std::move(line.text));
        }
        PrintLines(texts, request.utf8);
        return status;
    }
    std::vector<std::string> lines = AreaListLines(blocks, positions, index, categoryOf);
    if (!request.pdf.empty()) {
        std::vector<ReportLine> printed;
        for (const std::string& line : lines) {
            printed.push_back({line});
        }
        WriteLinesPdf(request.pdf, title, printed);
    }
    PrintLines(lines, request.utf8);
    return status;
}

bool WantsHelp(int argc, char** argv) {
    return argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
}

} // namespace

int RunAreas(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        std::fputs(kAreasUsage, stdout);
        return 0;
    }
    return RunGuardedBody("areas", kAreasUsage, [&] {
        Request request = Parse(argc, argv, true);
        if (request.files.size() != 2) {
            throw UsageError{"give one coordinate file and one parcel file"};
        }
        return RunAreasRequest(request);
    });
}

int RunPrintList(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        std::fputs(kPrintListUsage, stdout);
        return 0;
    }
    return RunGuardedBody("print-list", kPrintListUsage, [&] {
        Request request = Parse(argc, argv, false);
        if (request.files.size() != 1 || request.pdf.empty()) {
            throw UsageError{"give one coordinate file and --pdf OUT.pdf"};
        }
        XyzList list;
        XyzNameIndex index;
        ReadCoordinates(request.files[0], list, index);
        std::string title = std::filesystem::path(request.files[0]).filename().string();
        const auto pages = CoordinateListPrint::WholeList(list);
        WritePagesPdf(request.pdf, title, pages, SourceOfDataSet(request.files[0]));
        std::printf("%d pages written to %s\n", pages.PageCount(), request.pdf.c_str());
        return 0;
    });
}

} // namespace vemo::cli
