#include "AdjustCommand.h"

#include "CalcCommandSupport.h"

#include "PdfOutput.h"

#include "core/files/XyzFile.h"
#include "core/network/AdjustNetwork.h"
#include "core/network/GkfReader.h"
#include "core/network/NetworkListing.h"
#include "core/network/RouteNetwork.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

constexpr int kExitFailed = 1; // the network could not be read or adjusted, or a file not written
constexpr int kExitUsage = 2;  // the command line is wrong
constexpr int kExitTests = 3;  // adjusted, but σ0 fails its χ² test or an observation is a probable blunder
constexpr int kExitLimits = 4; // adjusted, but a new point's position σ exceeds the limit of the class

// 新点位置の標準偏差: at most 10 cm for every class of control point survey.
constexpr double kPositionLimit = 0.10;

const char* const kUsage =
    "usage: vemo-cli adjust [options] NETWORK.gkf | ROUTE.Trv... BOOK.ZUB...\n"
    "  Adjusts a plane control network (厳密水平網平均) by least squares: directions in sets, angles,\n"
    "  horizontal distances and fixed azimuths, known points fixed.  NETWORK.gkf is a network in the\n"
    "  gama-local XML format; traverse files (.Trv) are routes adjusted together, a point named in\n"
    "  several routes being one point.  Field books (.ZUB) join them: each station reduced to the mean\n"
    "  of both faces and of its sets, its directions one set, its slope distances reduced to the\n"
    "  horizontal with their zenith angles; known points from --known.  Prints the summary with σ0 a\n"
    "  posteriori and its χ² test, the data-snooping verdict, the adjusted points with σX, σY, σP and\n"
    "  error ellipses, and the residuals.\n"
    "  --known FILE.Xyz   coordinate file: network points of the same name become fixed known points\n"
    "  --angle-sigma S    routes, books: standard deviation of an angle in seconds (default 1.8)\n"
    "  --distance-sigma M routes, books: constant part of a distance's standard deviation in mm (default 10)\n"
    "  --ppm K            routes, books: part proportional to the distance, in ppm (default 5)\n"
    "  --class N          control point class 1-4: judge 新点位置の標準偏差 against its limit (10 cm)\n"
    "  --xyz FILE.Xyz     write the adjusted new points (name X Y, X north) as a coordinate file\n"
    "  --report FILE.pdf  print the 平均計算書 (the listing under its title, then the plot of the network\n"
    "                     with its error ellipses on a sheet of its own) into a PDF file\n"
    "  --plot FILE.pdf    draw the network with its error ellipses (exaggerated) into a PDF file\n"
    "  --utf8             print UTF-8 with LF line ends; the default is Shift-JIS (CP932) with CR LF\n"
    "  Exit status: 0 done, 1 not adjusted (or a file not written), 2 wrong command line, 3 adjusted but\n"
    "  σ0 fails its χ² test or a probable blunder is flagged, 4 adjusted but a limit of the class is\n"
    "  exceeded.\n";

struct Request {
    std::vector<std::string> routePaths;
    RouteSigmas sigmas;
    std::string networkPath;
    std::string knownPath;
    std::string xyzPath;
    std::string reportPath;
    std::string plotPath;
    int surveyClass = 0;
    bool utf8 = false;
};

std::string Lower(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

bool IsFieldBook(const std::string& name) {
    return Lower(name).ends_with(".zub");
}

// Routes and field books gather into one network; a network file stands alone.
bool IsRouteFile(const std::string& name) {
    return Lower(name).ends_with(".trv") || IsFieldBook(name);
}

Request ParseArguments(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* what) {
            if (i + 1 >= argc) {
                throw UsageError{"option " + arg + " needs " + what};
            }
            return std::string(argv[++i]);
        };
        if (arg == "--known") {
            request.knownPath = value("a file");
        } else if (arg == "--xyz") {
            request.xyzPath = value("a file");
        } else if (arg == "--report") {
            request.reportPath = value("a file");
        } else if (arg == "--plot") {
            request.plotPath = value("a file");
        } else if (arg == "--class") {
            const std::string n = value("a class 1-4");
            if (n.size() != 1 || n[0] < '1' || n[0] > '4') {
                throw UsageError{"--class takes 1, 2, 3 or 4, not '" + n + "'"};
            }
            request.surveyClass = n[0] - '0';
        } else if (arg == "--angle-sigma" || arg == "--distance-sigma" || arg == "--ppm") {
            const std::string text = value("a number");
            char* end = nullptr;
            const double number = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end != '\0' || !(number > 0.0) || !std::isfinite(number)) {
                throw UsageError{arg + " takes a positive number, not '" + text + "'"};
            }
            if (arg == "--angle-sigma") {
                request.sigmas.angle = number / 3600.0 * std::numbers::pi / 180.0;
            } else if (arg == "--distance-sigma") {
                request.sigmas.distanceConstant = number / 1000.0;
            } else {
                request.sigmas.distanceRatio = number * 1e-6;
            }
        } else if (arg == "--utf8") {
            request.utf8 = true;
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (IsRouteFile(arg)) {
            request.routePaths.push_back(arg);
        } else if (request.networkPath.empty()) {
            request.networkPath = arg;
        } else {
            throw UsageError{"only one network file, got '" + arg + "' too"};
        }
    }
    if (request.networkPath.empty() == request.routePaths.empty()) {
        throw UsageError{request.networkPath.empty() ? "no network file given"
                                                     : "a network file or traverse files and field books, not both"};
    }
    return request;
}

void Warn(const std::string& cp932) {
    std::fprintf(stderr, "vemo-cli adjust: %s\n", Cp932ToUtf8(cp932).c_str());
}

// Network points named in the coordinate file become known points held fixed at its coordinates.
void TakeKnownPoints(const std::string& path, Network& network) {
    auto store = std::make_unique<Store>();
    if (!ReadXyzFile(path, store->xyz)) {
        throw Error(msg::CoordinateFileUnreadable(path));
    }
    for (NetworkPoint& point : network.points) {
        if (const auto found = store->FindPointXY(point.name)) {
            point.role = NetworkPointRole::Fixed;
            point.x = found->x;
            point.y = found->y;
            point.hasCoordinates = true;
        }
    }
}

void WriteAdjusted(const std::string& path, const Network& network, const NetworkAdjustment& adjusted) {
    std::vector<XyzRow> rows;
    for (const AdjustedNetworkPoint& p : adjusted.points) {
        XyzRow row;
        row[kColName] = network.points[static_cast<size_t>(p.point)].name;
        row[kColX] = Format3(p.x);
        row[kColY] = Format3(p.y);
        row[kColZ] = Format3(0.0);
        rows.push_back(row);
    }
    XyzList list;
    LoadXyzRows(list, std::move(rows), XyzReadMode::Replace);
    WriteXyzFile(path, list);
}

// The routes gathered into one network; the rows a route could not compute are reported.
Network ReadRoutes(const Request& request) {
    auto store = std::make_unique<Store>();
    if (!request.knownPath.empty() && !ReadXyzFile(request.knownPath, store->xyz)) {
        throw Error(msg::CoordinateFileUnreadable(request.knownPath));
    }
    const TrvsKnownPoints known(*store);
    RouteNetworkBuilder builder(request.sigmas);
    const TrvsOptions options;
    for (const std::string& path : request.routePaths) {
        if (IsFieldBook(path)) {
            for (const std::string& note : builder.AddFieldBook(LoadZubFile(path), known)) {
                std::fprintf(stderr, "vemo-cli adjust: %s: %s\n", path.c_str(), Cp932ToUtf8(note).c_str());
            }
            continue;
        }
        TrvsHeader header;
        TrvsTable table;
        LoadTrvFile(path, options, TodayText(), header, table);
        for (const std::string& problem : builder.AddRoute(header, table, options, known)) {
            Warn(problem);
        }
    }
    return builder.network();
}

int Run(const Request& request) {
    GkfNetwork file;
    if (request.routePaths.empty()) {
        file = ReadGkfFile(request.networkPath);
        if (!request.knownPath.empty()) {
            TakeKnownPoints(request.knownPath, file.network);
        }
    } else {
        file.network = ReadRoutes(request);
    }
    const auto adjusted = AdjustNetwork(file.network);
    if (!adjusted) {
        Warn(adjusted.error());
        return kExitFailed;
    }
    std::vector<std::string> lines = NetworkSummaryLines(file.network, *adjusted);
    lines.emplace_back();
    for (auto part : {NetworkPointLines(file.network, *adjusted), NetworkResidualLines(file.network, *adjusted)}) {
        lines.insert(lines.end(), part.begin(), part.end());
        lines.emplace_back();
    }
    PrintLines(lines, request.utf8);
    if (!request.reportPath.empty()) {
        std::vector<ReportLine> printed{TitleLine(Jp("平均計算書"))};
        // The network's own description, line by line as the file gives it.
        std::istringstream description(file.network.description);
        for (std::string line; std::getline(description, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            printed.push_back({line});
        }
        for (const std::string& line : lines) {
            printed.push_back({line});
        }
        const std::string input = request.routePaths.empty() ? request.networkPath : request.routePaths.front();
        WriteNetworkReportPdf(request.reportPath, std::filesystem::path(input).filename().string(), printed,
                              file.network, *adjusted);
    }
    if (!request.plotPath.empty()) {
        const std::string input = request.routePaths.empty() ? request.networkPath : request.routePaths.front();
        WriteNetworkPlotPdf(request.plotPath, std::filesystem::path(input).filename().string(), file.network,
                            *adjusted);
    }
    if (!request.xyzPath.empty()) {
        WriteAdjusted(request.xyzPath, file.network, *adjusted);
    }
    bool beyondLimit = false;
    for (const AdjustedNetworkPoint& p : adjusted->points) {
        beyondLimit = beyondLimit || p.sigmaPosition > kPositionLimit;
    }
    if (request.surveyClass > 0 && beyondLimit) {
        return kExitLimits;
    }
    return adjusted->chiPassed && adjusted->suspect < 0 ? 0 : kExitTests;
}

} // namespace

int RunAdjust(int argc, char** argv) {
    return RunGuarded(
        "adjust", kUsage, [](int count, char** arguments) { return Run(ParseArguments(count, arguments)); }, argc,
        argv);
}

} // namespace vemo::cli
