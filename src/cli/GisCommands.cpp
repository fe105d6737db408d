#include "GisCommands.h"

#include "CalcCommandSupport.h"
#include "core/files/BlkFile.h"
#include "core/files/XyzFile.h"
#include "core/gis/Dms.h"
#include "core/gis/GisExport.h"
#include "core/gis/PlaneZones.h"
#include "core/gis/SiteZone.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo::cli {
namespace {

const char* const kLatLonUsage =
    "usage: vemo-cli latlon COORDS.Xyz NAME... [--zone N] [--datum JGD2000] [--utf8]\n"
    "  Prints latitude and longitude of the named points (degrees-minutes-seconds to 0.0001\" and\n"
    "  decimal degrees) from their plane rectangular coordinates in zone N (1 .. 19, JGD2011 unless\n"
    "  --datum JGD2000).  Without --zone the zone remembered for the file's folder is used.\n"
    "  --utf8  print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
    "  Exit status: 0 done, 1 a file could not be read or a point is missing, 2 wrong command line.\n";

const char* const kExportUsage =
    "usage: vemo-cli export COORDS.Xyz [PARCELS.Blk] OUT [--zone N] [--datum JGD2000]\n"
    "  Writes the points (and parcels) in the format of OUT's extension: .dxf (plane coordinates),\n"
    "  .gpkg and .shp (in the zone's CRS), .kml and .geojson (latitude/longitude).  Without --zone the\n"
    "  zone remembered for the coordinate file's folder is used.\n"
    "  Exit status: 0 done, 1 a file could not be read or written, 2 wrong command line.\n";

struct Request {
    std::vector<std::string> args;
    gis::ZoneChoice zone;
    bool utf8 = false;
};

Request Parse(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--zone" || arg == "--datum") {
            if (i + 1 >= argc) {
                throw UsageError{"option " + arg + " needs a value"};
            }
            std::string value = argv[++i];
            if (arg == "--zone") {
                request.zone.zone = TryStrToInt(value).value_or(-1);
            } else if (!gis::ParseDatum(value, request.zone.datum)) {
                throw UsageError{"--datum is JGD2011 or JGD2000"};
            }
        } else if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else {
            request.args.push_back(arg);
        }
    }
    return request;
}

// The zone given on the command line, else the one remembered for the site folder.
gis::ZoneChoice ZoneFor(const Request& request, const std::string& coordinateFile) {
    if (request.zone.zone != 0) {
        gis::ZoneEpsg(request.zone); // a clear message for a zone outside 1 .. 19
        return request.zone;
    }
    std::filesystem::path folder = std::filesystem::absolute(coordinateFile).parent_path();
    std::optional<gis::ZoneChoice> remembered = gis::ReadSiteZone(folder);
    if (!remembered) {
        throw UsageError{"give the plane rectangular zone with --zone N (1 .. 19)"};
    }
    return *remembered;
}

void ReadCoordinates(const std::string& path, XyzList& list) {
    if (!ReadXyzFile(path, list)) {
        throw Error(msg::CannotOpenInput(path));
    }
}

std::string Cp932Argument(const std::string& utf8) {
    std::optional<std::string> cp932 = Utf8ToCp932(utf8);
    if (!cp932) {
        throw UsageError{"'" + utf8 + "' cannot be a point name (not Shift-JIS)"};
    }
    return *cp932;
}

int LatLon(const Request& request) {
    if (request.args.size() < 2) {
        throw UsageError{"give one coordinate file and at least one point name"};
    }
    gis::ZoneChoice zone = ZoneFor(request, request.args[0]);
    XyzList list;
    ReadCoordinates(request.args[0], list);
    XyzNameIndex index;
    index.Rebuild(list);
    gis::ZoneTransform transform(zone);
    std::vector<std::string> lines;
    for (size_t i = 1; i < request.args.size(); ++i) {
        std::string name = Cp932Argument(request.args[i]);
        std::optional<PointXY> point = index.Find(name);
        if (!point) {
            throw Error(msg::NoPointNamed(name));
        }
        gis::LatLon ll = transform.ToGeographic({point->x, point->y});
        lines.push_back(Sprintf("%-16s", name.c_str()) + " " + gis::FormatDms(ll.lat) + "  " + gis::FormatDms(ll.lon) +
                        "  " + gis::FormatDecimalDegrees(ll.lat) + "  " + gis::FormatDecimalDegrees(ll.lon));
    }
    PrintLines(lines, request.utf8);
    return 0;
}

int Export(const Request& request) {
    if (request.args.size() != 2 && request.args.size() != 3) {
        throw UsageError{"give a coordinate file, optionally a parcel file, and the output file"};
    }
    gis::ZoneChoice zone = ZoneFor(request, request.args[0]);
    XyzList list;
    ReadCoordinates(request.args[0], list);
    BlockList blocks;
    if (request.args.size() == 3 && !ReadBlkFile(request.args[1], blocks)) {
        throw Error(msg::CannotOpenInput(request.args[1]));
    }
    gis::ExportSummary summary = gis::ExportSite(list, blocks, zone, request.args.back());
    std::printf("%s\n", Cp932ToUtf8(gis::SummaryMessage(summary)).c_str());
    return 0;
}

template <typename Body> int RunGuarded(const char* command, const char* usage, int argc, char** argv, Body body) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    return RunGuardedBody(command, usage, [&] { return body(Parse(argc, argv)); });
}

} // namespace

int RunLatLon(int argc, char** argv) {
    return RunGuarded("latlon", kLatLonUsage, argc, argv, LatLon);
}

int RunGisExport(int argc, char** argv) {
    return RunGuarded("export", kExportUsage, argc, argv, Export);
}

} // namespace vemo::cli
