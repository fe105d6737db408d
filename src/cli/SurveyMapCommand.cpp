#include "SurveyMapCommand.h"

#include "CalcCommandSupport.h"
#include "PdfOutput.h"
#include "core/files/BlkFile.h"
#include "core/files/DataSource.h"
#include "core/files/FileIo.h"
#include "core/gis/SiteZone.h"
#include "core/parcels/LandCategoryChiseki.h"
#include "core/store/BlockList.h"
#include "core/surveymap/SiteSurveyInfo.h"
#include "core/surveymap/SurveyMapDxf.h"
#include "core/surveymap/SurveyMapLayout.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo::cli {

namespace {

const char* const kUsage =
    "usage: vemo-cli survey-map COORDS.Xyz PARCELS.Blk --parcel N [--parcel N...] [--adjacent N...]\n"
    "                           [--scale S] [--paper B4] [--zone N] (--pdf OUT.pdf | --tiff OUT.tif | --dxf OUT.dxf)\n"
    "  Draws the 地積測量図 (cadastral survey map) of the subject parcels (--parcel, bold, with their\n"
    "  求積表) and the adjacent parcels (--adjacent, thin): PDF at true scale, TIFF as the registry takes\n"
    "  it online (1 bit, CCITT Group 4, 400 dpi), DXF in ground coordinates (metres, parcels whole).\n"
    "  --scale S       1/S: 100, 200, 250, 300, 500, 600, 1000, 1500, 2000 or 2500; default: the largest\n"
    "                  that shows the subject parcels whole.  A scale at which they do not fit is refused.\n"
    "  --paper P       B4 (default), B4L; A4, A4L, A3, A3L for drafts only (L: landscape)\n"
    "  --zone N        plane rectangular coordinate system; default: VemoZone.txt of the site folder\n"
    "  --info FILE     title items, 地目, marker symbols (default: VemoSurveyMap.txt of the site folder)\n"
    "  --district T  --date T  --made T  --surveyor T  --office T  --applicant T   title items\n"
    "                  (--date: 測量年月日, --made: 作成年月日)\n"
    "  --category N=T  地目 of parcel N, one of the register's (田, 畑, 宅地, 山林, 公衆用道路, ...)\n"
    "  Without --parcel and --adjacent the parcels marked in the info file are drawn.\n"
    "  Exit status: 0 written and complete; 3 written, but an item the registry requires is missing\n"
    "  (地番区域, 座標系, 測量年月日, 作成年月日, 申請人, 作成者, a 地目, a control point), a marker kind\n"
    "  has no symbol, a table or label found no room, or the paper is a draft's (A4, A3): each is listed\n"
    "  on stderr; 1 nothing written (a file could not be read or written, a parcel is unknown, the\n"
    "  parcels do not fit the sheet at the scale given or at any scale); 2 wrong command line.\n";

constexpr int kExitItemsMissing = 3;

struct Request {
    std::vector<std::string> files;
    surveymap::SurveyMapRequest parcels;
    surveymap::SurveyMapOptions options;
    std::string pdf, tiff, dxf, infoFile;
    std::vector<std::pair<std::string, std::string>> titleItems; // option, CP932 value
    std::vector<std::pair<std::string, std::string>> categories;
};

std::string Cp932Value(const std::string& option, const std::string& utf8) {
    std::optional<std::string> cp932 = Utf8ToCp932(utf8);
    if (!cp932) {
        throw UsageError{option + " '" + utf8 + "' cannot be written in Shift-JIS"};
    }
    return *cp932;
}

void TakeOption(Request& request, const std::string& option, const std::string& value) {
    if (option == "--parcel" || option == "--adjacent") {
        std::string name = NameArgument(value);
        for (const auto* names : {&request.parcels.subjects, &request.parcels.adjacents}) {
            if (std::find(names->begin(), names->end(), name) != names->end()) {
                throw UsageError{"parcel " + value + " is given twice"};
            }
        }
        (option == "--parcel" ? request.parcels.subjects : request.parcels.adjacents).push_back(name);
    } else if (option == "--scale") {
        request.options.scale = TryStrToInt(value).value_or(0);
        const std::vector<int>& scales = surveymap::StandardScales();
        if (std::find(scales.begin(), scales.end(), request.options.scale) == scales.end()) {
            throw UsageError{"--scale is one of 100, 200, 250, 300, 500, 600, 1000, 1500, 2000, 2500"};
        }
    } else if (option == "--paper") {
        if (!surveymap::ParsePaper(value, request.options)) {
            throw UsageError{"--paper is B4, B4L, A4, A4L, A3 or A3L"};
        }
    } else if (option == "--zone") {
        request.parcels.zone = TryStrToInt(value).value_or(0);
        if (request.parcels.zone < 1 || request.parcels.zone > 19) {
            throw UsageError{"--zone is 1 .. 19"};
        }
    } else if (option == "--pdf") {
        request.pdf = value;
    } else if (option == "--tiff") {
        request.tiff = value;
    } else if (option == "--dxf") {
        request.dxf = value;
    } else if (option == "--info") {
        request.infoFile = value;
    } else if (option == "--category") {
        size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw UsageError{"--category is N=地目"};
        }
        std::string category = Cp932Value(option, value.substr(equals + 1));
        if (!IsLandCategory(category)) {
            throw UsageError{"--category " + value + ": not a land category of the register (田, 畑, 宅地, ...)"};
        }
        request.categories.emplace_back(NameArgument(value.substr(0, equals)), category);
    } else if (option == "--district" || option == "--date" || option == "--made" || option == "--surveyor" ||
               option == "--office" || option == "--applicant") {
        request.titleItems.emplace_back(option, Cp932Value(option, value));
    } else {
        throw UsageError{"unknown option " + option};
    }
}

Request Parse(int argc, char** argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!arg.starts_with("--")) {
            request.files.push_back(arg);
            continue;
        }
        if (i + 1 >= argc) {
            throw UsageError{"option " + arg + " needs a value"};
        }
        TakeOption(request, arg, argv[++i]);
    }
    if (request.files.size() != 2) {
        throw UsageError{"give one coordinate file and one parcel file"};
    }
    if (request.pdf.empty() + request.tiff.empty() + request.dxf.empty() != 2) {
        throw UsageError{"give one of --pdf OUT.pdf, --tiff OUT.tif or --dxf OUT.dxf"};
    }
    return request;
}

surveymap::SiteSurveyInfo Info(const Request& request, const std::filesystem::path& site) {
    surveymap::SiteSurveyInfo info;
    info = request.infoFile.empty() ? surveymap::ReadSiteSurveyInfo(site)
                                    : surveymap::ReadSiteSurveyInfoFile(request.infoFile);
    for (const auto& [option, value] : request.titleItems) {
        surveymap::SurveyTitle& t = info.title;
        std::string& item = option == "--district"   ? t.district
                            : option == "--date"     ? t.surveyDate
                            : option == "--made"     ? t.madeDate
                            : option == "--surveyor" ? t.surveyor
                            : option == "--office"   ? t.office
                                                     : t.applicant;
        item = value;
    }
    for (const auto& [name, category] : request.categories) {
        info.ParcelEntry(name).category = category;
    }
    return info;
}

int Run(const Request& request) {
    std::unique_ptr<Store> store = LoadCoordinates(request.files[0]);
    BlockList blocks;
    if (!ReadBlkFile(request.files[1], blocks)) {
        throw Error(msg::CannotOpenInput(request.files[1]));
    }
    std::filesystem::path site = std::filesystem::absolute(request.files[0]).parent_path();
    surveymap::SurveyMapRequest parcels = request.parcels;
    if (parcels.zone == 0) {
        if (std::optional<gis::ZoneChoice> zone = gis::ReadSiteZone(site)) {
            parcels.zone = zone->zone;
        }
    }
    surveymap::SurveyMapModel model = surveymap::BuildSurveyMapModel(store->xyz, blocks, parcels, Info(request, site));
    model.source = SourceOfDataSet(request.files[0]);
    surveymap::SurveyMapLayout layout = surveymap::LayOutSurveyMap(model, request.options);
    if (!request.pdf.empty()) {
        WriteSurveyMapPdf(request.pdf, Cp932ToUtf8(Jp("地積測量図")), layout);
    } else if (!request.tiff.empty()) {
        WriteSurveyMapTiff(request.tiff, layout);
    } else {
        surveymap::WriteSurveyMapDxf(layout, request.dxf);
        for (const std::string& note : surveymap::DxfLimitations()) {
            std::fprintf(stderr, "%s\n", Cp932ToUtf8(note).c_str());
        }
    }
    for (const std::string& warning : layout.warnings) {
        std::fprintf(stderr, "%s\n", Cp932ToUtf8(warning).c_str());
    }
    std::printf("%s\n", (request.pdf + request.tiff + request.dxf).c_str());
    return layout.warnings.empty() ? kExitDone : kExitItemsMissing;
}

} // namespace

int RunSurveyMap(int argc, char** argv) {
    if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return kExitDone;
    }
    return RunGuardedBody("survey-map", kUsage, [&] { return Run(Parse(argc, argv)); });
}

} // namespace vemo::cli
