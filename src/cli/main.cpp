// vemo-cli: batch work over the core for surveyors and scripts.
#include "AdjustCommand.h"
#include "CalcCommand.h"
#include "ConvertCommand.h"
#include "GisCommands.h"
#include "ParcelCommands.h"
#include "SurveyMapCommand.h"
#include "TraverseCommand.h"
#include "ZubCommand.h"

#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesFiles.h"

#include <cerrno>
#include <csignal>
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
                           "  calc ID XYZ ...     any calculation of the calculation window ('calc --list')\n"
                           "  areas XYZ BLK       the areas (地積, 坪数) of the parcels, or the area report\n"
                           "  print-list XYZ      the printed coordinate list as a PDF file\n"
                           "  latlon XYZ NAMES    latitude/longitude of points (plane rectangular zone)\n"
                           "  export XYZ [BLK] OUT  points and parcels to DXF, GeoPackage, Shapefile, KML, GeoJSON\n"
                           "  survey-map XYZ BLK  the 地積測量図 of parcels to PDF (true scale) or DXF\n"
                           "  zub FIELDBOOK.ZUB   the records of a field book, or (--trv) its traverse table\n"
                           "  adjust NETWORK.gkf  network adjustment by least squares (厳密水平網平均)\n"
                           "'vemo-cli <command> --help' tells the options of a command.\n";

// Everything a command printed must have reached its destination: a full disk or a closed file behind
// standard output is a failure, not a silent loss.
int FinishOutput(int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (!flushed || std::ferror(stdout) != 0) {
        const int error = errno != 0 ? errno : EIO;
        std::fprintf(stderr, "vemo-cli: %s\n",
                     vemo::Cp932ToUtf8(vemo::msg::CannotWriteStandardOutput(vemo::WriteFailureReason(error))).c_str());
        return 1; // lost output outweighs what the command itself had to say (a warning's 3 included)
    }
    return status;
}

// The calculations that had commands of their own before `calc` keep them, with the same options.
int RunInverse(int argc, char** argv) {
    return vemo::cli::RunCalculationCommand("inverse", argc, argv);
}
int RunTransform(int argc, char** argv) {
    return vemo::cli::RunCalculationCommand("transform", argc, argv);
}
int RunDivide(int argc, char** argv) {
    return vemo::cli::RunCalculationCommand("divide", argc, argv);
}

// One row per command: its name and the function that runs it with argv[0] its name.
struct CommandRow {
    const char* name;
    int (*run)(int argc, char** argv);
};

const CommandRow kCommands[] = {
    {"convert", vemo::cli::RunConvert},
    {"traverse", vemo::cli::RunTraverse},
    {"inverse", RunInverse},
    {"transform", RunTransform},
    {"divide", RunDivide},
    {"calc", vemo::cli::RunCalc},
    {"areas", vemo::cli::RunAreas},
    {"print-list", vemo::cli::RunPrintList},
    {"latlon", vemo::cli::RunLatLon},
    {"export", vemo::cli::RunGisExport},
    {"survey-map", vemo::cli::RunSurveyMap},
    {"zub", vemo::cli::RunZub},
    {"adjust", vemo::cli::RunAdjust},
};

int RunCommand(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const CommandRow& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            return command.run(argc - 1, argv + 1);
        }
    }
    std::fprintf(stderr, "vemo-cli: unknown command '%s'\n%s", argv[1], kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit makes a write fail (reported with exit status 1) instead of killing the run.
    std::signal(SIGXFSZ, SIG_IGN);
    return FinishOutput(RunCommand(argc, argv));
}
