#include "ConvertCommand.h"

#include "core/files/Convert.h"
#include "core/files/DataSource.h"
#include "core/files/Profile.h"
#include "core/gis/SiteZone.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

constexpr int kExitFailed = 1; // the conversion could not be done (bad input file, write failure)
constexpr int kExitUsage = 2;  // the command line is wrong

const char* const kUsage =
    "usage: vemo-cli convert [options] IN OUT\n"
    "  Converts coordinates (and parcels) between the native coordinate file (.Xyz, with its .Blk),\n"
    "  SIMA (.sim) and 日調連 (.txt).  The formats follow the extensions unless given:\n"
    "  --from xyz|sima|nichoren   format of IN\n"
    "  --to xyz|sima|nichoren     format of OUT\n"
    "  --blk FILE                 parcel file read with a native IN\n"
    "  --out-blk FILE             parcel file written with a native OUT (default: OUT with .Blk)\n"
    "  --case NAME                site name in the SIMA header\n"
    "  Registry map data (地図XML, .xml or the ministry's .zip) is read only:\n"
    "  --parcel 地番               take this parcel (again for more; 大字 and 丁目 may stand in front)\n"
    "  --with-adjacent            also take every parcel sharing a boundary point with them\n"
    "  It prints the 座標系 the map names and what it left out or renamed, and writes VemoZone.txt\n"
    "  beside OUT when the map names a plane rectangular zone and the folder has none.\n";

struct UsageError {
    std::string message;
};

std::optional<FileKind> ParseKind(const char* name) {
    const FileFormat* format = FormatFromCliName(name);
    if (format == nullptr) {
        throw UsageError{std::string("unknown format '") + name + "' (xyz, sima, nichoren or mapxml)"};
    }
    return format->kind;
}

FileKind KindOf(const std::optional<FileKind>& given, const std::string& path) {
    if (given) {
        return *given;
    }
    if (const FileFormat* format = FormatFromExtension(path)) {
        return format->kind;
    }
    throw UsageError{"cannot tell the format of '" + path + "' from its extension; use --from or --to"};
}

ConvertRequest ParseArguments(int argc, char** argv) {
    ConvertRequest request;
    std::optional<FileKind> from;
    std::optional<FileKind> to;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--from" || arg == "--to" || arg == "--blk" || arg == "--out-blk" || arg == "--case") {
            if (!hasValue) {
                throw UsageError{"option " + arg + " needs a value"};
            }
            const char* value = argv[++i];
            if (arg == "--from") {
                from = ParseKind(value);
            } else if (arg == "--to") {
                to = ParseKind(value);
            } else if (arg == "--blk") {
                request.inputBlk = value;
            } else if (arg == "--out-blk") {
                request.outputBlk = value;
            } else if (auto name = Utf8ToCp932(value)) {
                request.caseName = *name;
            } else {
                throw UsageError{"the site name cannot be written in Shift-JIS"};
            }
        } else if (arg == "--parcel") {
            if (!hasValue) {
                throw UsageError{"option --parcel needs a value"};
            }
            request.mapChoice.chibans.emplace_back(argv[++i]);
        } else if (arg == "--with-adjacent") {
            request.mapChoice.withAdjacent = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        throw UsageError{"give exactly one input and one output file"};
    }
    request.input = files[0];
    request.output = files[1];
    request.from = KindOf(from, files[0]);
    request.to = KindOf(to, files[1]);
    if ((!request.mapChoice.chibans.empty() || request.mapChoice.withAdjacent) &&
        request.from != FileKind::RegistryMap) {
        throw UsageError{"--parcel and --with-adjacent choose parcels of registry map data (地図XML) only"};
    }
    if (request.mapChoice.withAdjacent && request.mapChoice.chibans.empty()) {
        throw UsageError{"--with-adjacent needs --parcel"};
    }
    return request;
}

// A registry map names its zone: the output's folder keeps it as a site does, unless it has one.
void KeepZone(const ConvertResult& result, const ConvertRequest& request) {
    const std::filesystem::path folder = request.output.parent_path().empty() ? "." : request.output.parent_path();
    if (result.planeZone == 0 || gis::ReadSiteZone(folder)) {
        return;
    }
    gis::WriteSiteZone(folder, gis::ZoneChoice{result.planeZone, gis::Datum::Jgd2011});
    std::printf("%s written (zone %d; the map does not say JGD2000 or JGD2011: JGD2011 assumed)\n",
                (folder / gis::kSiteZoneFileName).c_str(), result.planeZone);
}

// The source a registry map's terms of use require goes into the header (profile) of the data set made
// from it, so that its reports and drawings name it.
void KeepSource(const ConvertResult& result, const ConvertRequest& request) {
    if (result.sourceLine.empty() || request.to != FileKind::Native) {
        return;
    }
    RecordSourceOfDataSet(request.output, result.sourceLine);
    const std::filesystem::path profile = request.output.parent_path() / request.output.stem() / ProfileFileName(1);
    std::printf("source recorded in %s\n", profile.c_str());
}

void Report(const ConvertResult& result, const ConvertRequest& request) {
    for (const std::string& note : result.notes) {
        std::printf("%s\n", Cp932ToUtf8(note).c_str());
    }
    if (!result.sourceLine.empty()) {
        std::printf("%s\n", Cp932ToUtf8(result.sourceLine).c_str());
    }
    std::printf("%d points written to %s\n", result.points, request.output.c_str());
    if (result.points == 0) {
        std::fprintf(stderr, "vemo-cli convert: warning: %s holds no points; %s now holds none\n",
                     request.input.c_str(), request.output.c_str());
    }
    if (!result.blkWritten.empty()) {
        std::printf("%d parcels written to %s\n", result.parcels, result.blkWritten.c_str());
    } else if (FormatOf(request.to).carriesParcels && result.parcels > 0) {
        std::printf("%d parcels written to %s\n", result.parcels, request.output.c_str());
    }
    if (result.parcelsDropped) {
        std::fprintf(stderr, "vemo-cli convert: warning: 日調連 files hold no parcels; %d parcels were not written\n",
                     result.parcels);
    }
}

} // namespace

int RunConvert(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    ConvertRequest request;
    try {
        request = ParseArguments(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "vemo-cli convert: %s\n%s", e.message.c_str(), kUsage);
        return kExitUsage;
    }
    try {
        const ConvertResult result = ConvertFile(request);
        Report(result, request);
        KeepZone(result, request);
        KeepSource(result, request);
    } catch (const Error& e) {
        // Core messages are Shift-JIS; the terminal is UTF-8.
        std::fprintf(stderr, "vemo-cli convert: %s\n", Cp932ToUtf8(e.what()).c_str());
        return kExitFailed;
    } catch (const std::exception& e) {
        // Not a refusal of the input but a fault of this program: say so, never end without a word.
        std::fprintf(stderr, "vemo-cli convert: internal error: %s\n", e.what());
        return kExitFailed;
    } catch (...) {
        std::fputs("vemo-cli convert: internal error\n", stderr);
        return kExitFailed;
    }
    return 0;
}

} // namespace vemo::cli
