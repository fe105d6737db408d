#include "core/gis/GisExport.h"

#include "core/files/FileIo.h"
#include "core/gis/DxfCodePage.h"
#include "core/gis/ExportData.h"
#include "core/gis/OgrWriters.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gdal_priv.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <vector>

namespace vemo::gis {
namespace fs = std::filesystem;
namespace {

struct FormatInfo {
    ExportFormat format;
    const char* extension;
    const char* driver;
};

constexpr FormatInfo kFormats[] = {
    {ExportFormat::Dxf, ".dxf", "DXF"},
    {ExportFormat::GeoPackage, ".gpkg", "GPKG"},
    {ExportFormat::Shapefile, ".shp", "ESRI Shapefile"},
    {ExportFormat::Kml, ".kml", "KML"},
    {ExportFormat::GeoJson, ".geojson", "GeoJSON"},
};

const FormatInfo& InfoOf(ExportFormat format) {
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [&](const FormatInfo& f) { return f.format == format; });
}

std::string Utf8Path(const fs::path& path) {
    return Utf8ToCp932(path.string()).value_or(path.string());
}

// A fresh folder beside the target: the files are built there and renamed into place, which stays on
// one file system and so replaces each file whole.
class StagingFolder {
public:
    explicit StagingFolder(const fs::path& target) {
        fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
        std::string pattern = (folder / ".vemo-export-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw Error(Jp("ファイル「") + Utf8Path(target) + Jp("」に書き込めません（フォルダに書き込めません）"));
        }
        path_ = pattern;
    }
    ~StagingFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};

GDALDriver& DriverFor(const FormatInfo& info) {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(info.driver);
    if (driver == nullptr) {
        throw Error(Jp("この GDAL には「") + info.driver + Jp("」形式を書き出す機能がありません"));
    }
    return *driver;
}

void WriteFormat(GDALDataset& dataset, ExportFormat format, const ExportData& data, const ZoneChoice& zone,
                 const std::string& stem) {
    switch (format) {
    case ExportFormat::Dxf:
        WriteDxfEntities(dataset, data);
        break;
    case ExportFormat::GeoPackage:
        WriteZoneLayers(dataset, data, zone, "points", "parcels");
        break;
    case ExportFormat::Shapefile:
        WriteZoneLayers(dataset, data, zone, stem, data.parcels.empty() ? "" : stem + "_parcels");
        break;
    case ExportFormat::Kml:
        WriteGeographicLayers(dataset, data, zone, false);
        break;
    case ExportFormat::GeoJson:
        WriteGeographicLayers(dataset, data, zone, true);
        break;
    }
}

// Builds the files in the staging folder: a Shapefile dataset is the folder itself (one file set per
// layer), every other format one file named as the target.
void BuildInto(const fs::path& staging, const fs::path& target, ExportFormat format,
               const std::function<void(GDALDataset&)>& write) {
    GDALDriver& driver = DriverFor(InfoOf(format));
    bool isFolder = format == ExportFormat::Shapefile;
    std::string datasetPath = isFolder ? staging.string() : (staging / target.filename()).string();
    std::vector<const char*> options;
    if (format == ExportFormat::Kml) {
        options.push_back("NameField=点名");
    }
    // The header template lives outside the staging folder's files that are moved into place.
    fs::path header = staging.parent_path() / (staging.filename().string() + ".header.dxf");
    std::string headerOption = "HEADER=" + header.string();
    struct RemoveHeader {
        fs::path path;
        ~RemoveHeader() {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
    } removeHeader{header};
    if (format == ExportFormat::Dxf) {
        WriteFileAtomic(header, DxfHeaderTemplate(), false);
        options.push_back(headerOption.c_str());
    }
    options.push_back(nullptr);
    std::unique_ptr<GDALDataset, DatasetCloser> dataset(
        driver.Create(datasetPath.c_str(), 0, 0, 0, GDT_Unknown, const_cast<char**>(options.data())));
    if (!dataset) {
        throw Error(Jp("ファイル「") + Utf8Path(target) + Jp("」を作れません（") + CPLGetLastErrorMsg() + Jp("）"));
    }
    write(*dataset);
    // Closing flushes the last buffered features: a write error there means an incomplete file.
    CPLErrorReset();
    dataset.reset();
    if (CPLGetLastErrorType() >= CE_Failure) {
        throw Error(Jp("ファイル「") + Utf8Path(target) + Jp("」に書き込めません（") + CPLGetLastErrorMsg() + Jp("）"));
    }
    if (format == ExportFormat::Dxf) {
        WriteFileAtomic(datasetPath, RecodeDxfTextsToCp932(ReadWholeFile(datasetPath).value_or("")), false);
    }
}

void MoveIntoPlace(const fs::path& staging, const fs::path& target) {
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (const fs::directory_entry& entry : fs::directory_iterator(staging)) {
        std::error_code error;
        fs::rename(entry.path(), folder / entry.path().filename(), error);
        if (error) {
            throw Error(Jp("ファイル「") + Utf8Path(target) + Jp("」に書き込めません（") + error.message() + Jp("）"));
        }
    }
}

} // namespace

ExportFormat FormatOfTarget(const fs::path& target) {
    std::string extension = target.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatInfo& info : kFormats) {
        if (extension == info.extension) {
            return info.format;
        }
    }
    throw Error(Jp("出力形式が分かりません（拡張子は .dxf .gpkg .shp .kml .geojson のいずれかです）: ") +
                Utf8Path(target));
}

ExportSummary ExportSite(const XyzList& list, const BlockList& blocks, const ZoneChoice& zone, const fs::path& target) {
    ExportFormat format = FormatOfTarget(target);
    ZoneEpsg(zone); // an unknown zone stops the export before anything is written
    ExportData data = CollectExportData(list, blocks);
    // GDAL's messages go into the error thrown, not onto the terminal or into a window's stderr.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    struct PopHandler {
        ~PopHandler() { CPLPopErrorHandler(); }
    } popHandler;
    StagingFolder staging(target);
    BuildInto(staging.Path(), target, format,
              [&](GDALDataset& dataset) { WriteFormat(dataset, format, data, zone, target.stem().string()); });
    MoveIntoPlace(staging.Path(), target);
    return {target, static_cast<int>(data.points.size()), data.pointsLeftOut, static_cast<int>(data.parcels.size()),
            data.parcelsLeftOut};
}

void WriteDxfDrawing(const fs::path& target, const std::function<void(GDALDataset&)>& write) {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    struct PopHandler {
        ~PopHandler() { CPLPopErrorHandler(); }
    } popHandler;
    StagingFolder staging(target);
    BuildInto(staging.Path(), target, ExportFormat::Dxf, write);
    MoveIntoPlace(staging.Path(), target);
}

std::string SummaryMessage(const ExportSummary& summary) {
    std::string message = Utf8Path(summary.target.filename()) + Jp(" に点 ") + std::to_string(summary.pointsWritten) +
                          Jp(" 件、画地 ") + std::to_string(summary.parcelsWritten) + Jp(" 件を出力しました。");
    if (summary.pointsLeftOut > 0) {
        message += Jp("\n点名か座標のない点、X・Y が 0.000 の点 ") + std::to_string(summary.pointsLeftOut) +
                   Jp(" 件は出力していません。");
    }
    if (summary.parcelsLeftOut > 0) {
        message +=
            Jp("\n座標のない点を含む画地 ") + std::to_string(summary.parcelsLeftOut) + Jp(" 件は出力していません。");
    }
    return message;
}

} // namespace vemo::gis
