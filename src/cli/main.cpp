// vemo-cli: batch work over the core for surveyors and scripts.
#include "ConvertCommand.h"
#include "DivideCommand.h"
#include "GisCommands.h"
#include "InverseCommand.h"
#include "ParcelCommands.h"
#include "TransformCommand.h"
#include "TraverseCommand.h"
#include "ZubCommand.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage = "usage: vemo-cli <command> [options] ...\n"
                           "commands:\n"
                           "  convert IN OUT      coordinates (and parcels) between native .Xyz/.Blk, SIMA and\n"
                           "                      the 日調連 format\n"
                           "  traverse FILE.Trv   the listing of a traverse file\n"
                           "  inverse XYZ NAMES   inverse computation (distances, directions, angles, area)\n"
                           "  transform XYZ ...   two-point or Helmert transformation of named points\n"
                           "  divide XYZ ...      constant-area division of a parcel\n"
                           "  areas XYZ BLK       the areas (地積, 坪数) of the parcels, or the area report\n"
                           "  print-list XYZ      the printed coordinate list as a PDF file\n"
                           "  latlon XYZ NAMES    latitude/longitude of points (plane rectangular zone)\n"
                           "  export XYZ [BLK] OUT  points and parcels to DXF, GeoPackage, Shapefile, KML, GeoJSON\n"
                           "  zub FIELDBOOK.ZUB   the records of a field book, or (--trv) its traverse table\n"
                           "'vemo-cli <command> --help' tells the options of a command.\n";

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "convert") == 0) {
        return vemo::cli::RunConvert(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "traverse") == 0) {
        return vemo::cli::RunTraverse(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "inverse") == 0) {
        return vemo::cli::RunInverse(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "transform") == 0) {
        return vemo::cli::RunTransform(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "divide") == 0) {
        return vemo::cli::RunDivide(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "areas") == 0) {
        return vemo::cli::RunAreas(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "print-list") == 0) {
        return vemo::cli::RunPrintList(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "latlon") == 0) {
        return vemo::cli::RunLatLon(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "export") == 0) {
        return vemo::cli::RunGisExport(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "zub") == 0) {
        return vemo::cli::RunZub(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "vemo-cli: unknown command '%s'\n%s", argv[1], kUsage);
    return 2;
}
