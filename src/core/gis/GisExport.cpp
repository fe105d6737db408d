#include "core/gis/GisExport.h"

#include "core/gis/CountingDataset.h"
#include "core/gis/DxfCodePage.h"
#include "core/gis/DxfSiteDrawing.h"
#include "core/gis/ExportData.h"
#include "core/gis/ExportFailure.h"
#include "core/gis/OgrWriters.h"
#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
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

// The path in CP932 for a message; a path with no CP932 form is given as its bytes.
std::string Cp932Path(const fs::path& path) {
    return Utf8ToCp932(path.string()).value_or(path.string());
}

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};

GDALDriver& DriverFor(const FormatInfo& info) {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(info.driver);
    if (driver == nullptr) {
        throw Error(msg::GdalLacksDriver(info.driver));
    }
    return *driver;
}

void WriteFormat(GDALDataset& dataset, ExportFormat format, const ExportData& data, const ZoneChoice& zone,
                 const std::string& stem) {
    switch (format) {
    case ExportFormat::Dxf: // written by DxfSiteDrawing, not through GDAL
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

// The features a complete file holds: every point and parcel.
long long ExpectedFeatures(const ExportData& data) {
    return static_cast<long long>(data.points.size() + data.parcels.size());
}

// Some drivers (KML, GeoJSON, DXF) neither check their writes nor report them: a full disk leaves a
// short file behind a successful close.  Their files are therefore read back and counted.
bool ReadsBackComplete(const std::string& datasetPath, const FormatInfo& info, long long expected) {
    const char* const drivers[] = {info.driver, nullptr};
    // A drawing's block inserts read back as one feature each: inlined, one insert would count as all the
    // entities of its block (the blocks' own definitions are not counted, see CountingDataset).
    const char* const dxfOptions[] = {"DXF_INLINE_BLOCKS=FALSE", nullptr};
    const bool dxf = std::string_view(info.driver) == "DXF";
    std::unique_ptr<GDALDataset, DatasetCloser> dataset(GDALDataset::Open(
        datasetPath.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, dxf ? dxfOptions : nullptr, nullptr));
    if (!dataset) {
        return false;
    }
    long long features = 0;
    for (OGRLayer* layer : dataset->GetLayers()) {
        features += layer->GetFeatureCount(TRUE);
    }
    return features == expected;
}

// A drawing ends with its EOF record; GDAL's DXF writer assembles the file at close without checking.
bool DxfIsComplete(std::string_view dxf) {
    while (!dxf.empty() && std::isspace(static_cast<unsigned char>(dxf.back()))) {
        dxf.remove_suffix(1);
    }
    return dxf.ends_with("\nEOF");
}

// Builds the files in `staging`/data: a Shapefile dataset is that folder itself (one file set per layer),
// every other format one file named as the target.  `write` fills the dataset; a complete file reads
// back with `expectedFeatures` features.  GDAL's failures throw GdalRefusal.
void BuildInto(const fs::path& staging, const fs::path& target, ExportFormat format, const GdalErrorTrap& trap,
               const std::function<void(GDALDataset&)>& write, long long expectedFeatures) {
    const FormatInfo& info = InfoOf(format);
    GDALDriver& driver = DriverFor(info);
    const fs::path folder = staging / "data";
    fs::create_directory(folder);
    bool isFolder = format == ExportFormat::Shapefile;
    std::string datasetPath = isFolder ? folder.string() : (folder / target.filename()).string();
    const char* const kmlOptions[] = {"NameField=点名", nullptr};
    std::unique_ptr<GDALDataset, DatasetCloser> dataset(
        driver.Create(datasetPath.c_str(), 0, 0, 0, GDT_Unknown,
                      const_cast<char**>(format == ExportFormat::Kml ? kmlOptions : nullptr)));
    if (!dataset) {
        throw GdalRefusal{CPLGetLastErrorMsg()};
    }
    write(*dataset);
    // Closing flushes the last buffered features: a write error there means an incomplete file.
    dataset.reset();
    if (trap.Failed()) {
        throw GdalRefusal{trap.FirstMessage()};
    }
    if (!ReadsBackComplete(datasetPath, info, expectedFeatures)) {
        throw GdalRefusal{};
    }
}

// The staged files with the names they take beside the target.
std::vector<StagedFile> StagedFiles(const fs::path& staging, const fs::path& target) {
    const fs::path folder = target.parent_path();
    std::vector<StagedFile> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(staging / "data")) {
        files.push_back({entry.path(), folder / entry.path().filename()});
    }
    // The named file last: a program watching it finds the rest of its set already there.
    std::stable_partition(files.begin(), files.end(),
                          [&](const StagedFile& f) { return f.target.filename() != target.filename(); });
    return files;
}

// Writes one export through a staging folder beside the target and moves it into place only when it is
// complete; GDAL's messages go into the error thrown, not onto the terminal or into a window's stderr.
void WriteStagedExport(const fs::path& target, ExportFormat format, const std::function<void(GDALDataset&)>& write,
                       long long expectedFeatures) {
    GdalErrorTrap trap;
    const fs::path staging = CreateStagingFolder(target);
    struct RemoveStaging {
        const fs::path& folder;
        ~RemoveStaging() { RemoveStagingFolder(folder); }
    } removeStaging{staging};
    try {
        BuildInto(staging, target, format, trap, write, expectedFeatures);
    } catch (const GdalRefusal& refusal) {
        ThrowExportFailure(target, staging, refusal.text, trap.FirstErrno());
    }
    MoveIntoPlace(StagedFiles(staging, target));
}

// A file in GDAL's memory file system, removed with its folder when done.
class MemoryFolder {
public:
    MemoryFolder() : path_("/vsimem/vemo-drawing-" + std::to_string(serial_++)) {}
    ~MemoryFolder() { VSIRmdirRecursive(path_.c_str()); }
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;

    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    static inline std::atomic<unsigned> serial_ = 0;
    std::string path_;
};

// A drawing made by GDAL's DXF driver entirely in memory: the driver spools its entities to a
// temporary file and assembles the drawing at close without checking a single write, so on a nearly
// full disk it left drawings without entities, lost the cause, and with its own header cut short
// could even crash.  In memory it has nothing to fail on; the disk is written by the safe writer only.
// The drawing must end with its EOF record and read back with every entity `write` put in.
std::string DrawInMemory(const fs::path& target, const std::function<void(GDALDataset&)>& write) {
    const FormatInfo& info = InfoOf(ExportFormat::Dxf);
    GDALDriver& driver = DriverFor(info);
    const std::string header = DxfHeaderTemplate();
    GdalErrorTrap trap;
    const MemoryFolder memory;
    const std::string headerPath = memory.File("header.dxf");
    const std::string drawingPath = memory.File("drawing.dxf");
    auto refuse = [&](const std::string& text) { ThrowExportFailure(target, {}, text, EIO); };
    VSILFILE* headerFile = VSIFOpenL(headerPath.c_str(), "wb");
    const bool headerWritten =
        headerFile != nullptr && VSIFWriteL(header.data(), 1, header.size(), headerFile) == header.size();
    if (headerFile != nullptr) {
        VSIFCloseL(headerFile);
    }
    if (!headerWritten) {
        refuse(CPLGetLastErrorMsg());
    }
    const std::string headerOption = "HEADER=" + headerPath;
    const char* const options[] = {headerOption.c_str(), nullptr};
    std::unique_ptr<GDALDataset, DatasetCloser> dataset(
        driver.Create(drawingPath.c_str(), 0, 0, 0, GDT_Unknown, const_cast<char**>(options)));
    if (!dataset) {
        refuse(CPLGetLastErrorMsg());
    }
    long long created = 0;
    try {
        CountingDataset counting(*dataset);
        write(counting);
        created = counting.Created();
    } catch (const GdalRefusal& refusal) {
        refuse(refusal.text);
    }
    dataset.reset();
    if (trap.Failed()) {
        refuse(trap.FirstMessage());
    }
    vsi_l_offset length = 0;
    const GByte* bytes = VSIGetMemFileBuffer(drawingPath.c_str(), &length, FALSE);
    std::string drawing = bytes != nullptr ? std::string(reinterpret_cast<const char*>(bytes), length) : std::string();
    if (!DxfIsComplete(drawing) || !ReadsBackComplete(drawingPath, info, created)) {
        refuse({});
    }
    return drawing;
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
    throw Error(msg::UnknownExportFormat(Cp932Path(target)));
}

ExportSummary ExportSite(const XyzList& list, const BlockList& blocks, const ZoneChoice& zone, const fs::path& target) {
    ExportFormat format = FormatOfTarget(target);
    ZoneEpsg(zone);           // an unknown zone stops the export before anything is written
    CheckReplaceable(target); // a read-only file is refused before the work, as a save refuses it
    if (format != ExportFormat::Dxf) {
        DriverFor(InfoOf(format)); // a format this GDAL lacks too
    }
    ExportData data = CollectExportData(list, blocks);
    if (format == ExportFormat::Dxf) {
        // One write through the safe writer: a full disk is told as such, the earlier drawing kept.
        ReplaceFile({target, DxfSiteDrawing(data, DxfHeaderTemplate(), DxfTrailerTemplate()), {}});
    } else {
        WriteStagedExport(
            target, format,
            [&](GDALDataset& dataset) { WriteFormat(dataset, format, data, zone, target.stem().string()); },
            ExpectedFeatures(data));
    }
    return {target, static_cast<int>(data.points.size()), data.pointsLeftOut, static_cast<int>(data.parcels.size()),
            data.parcelsLeftOut};
}

void WriteDxfDrawing(const fs::path& target, const std::function<void(GDALDataset&)>& write,
                     const std::function<std::string(std::string)>& finish) {
    CheckReplaceable(target);
    std::string drawing = RecodeDxfTextsToCp932(DrawInMemory(target, write));
    if (finish) {
        drawing = finish(std::move(drawing));
    }
    ReplaceFile({target, drawing, {}});
}

std::string SummaryMessage(const ExportSummary& summary) {
    std::string message =
        msg::Exported(Cp932Path(summary.target.filename()), summary.pointsWritten, summary.parcelsWritten);
    if (summary.pointsLeftOut > 0) {
        message += msg::PointsLeftOut(summary.pointsLeftOut);
    }
    if (summary.parcelsLeftOut > 0) {
        message += msg::ParcelsLeftOut(summary.parcelsLeftOut);
    }
    return message;
}

} // namespace vemo::gis
