#pragma once

#include "core/files/Exchange.h"
#include "core/files/ExportPoints.h"
#include "core/files/Sima.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace vemo {

// The kinds of file the program reads and writes besides its own data tree.
enum class FileKind { Native, Sima, Nichoren, RegistryMap };

// What an exchange writer is given: the header names (site, coordinate data, parcel data), the points
// in order and, for a format that carries parcels, the parcels or nullptr.
struct ExchangeContent {
    const SimaNames& names;
    const std::vector<ExportPoint>& points;
    const std::vector<ExportParcel>* parcels = nullptr;
};

// One file format: everything the file commands, the batch conversion and the file drop need to know.
// A new format is a row of FileFormats() with its reader and writer; the menu items that open and save
// it are the only other places it appears.
struct FileFormat {
    FileKind kind;
    std::string_view cliName;          // the value of vemo-cli convert's --from / --to
    std::string_view extension;        // the extension that tells the format, matched in any case
    std::string_view utf8DialogTitle;  // UTF-8, the title of its open and save dialogs
    std::string_view utf8DialogFilter; // UTF-8, "caption (*.EXT)|*.EXT" pairs joined by '|'
    std::string_view saveExtension;    // the extension the save dialog adds ("SIM")
    bool carriesParcels;               // the file holds parcels as well as points
    bool opensByName;                  // opened from the command line, a drop or the desktop's association
    // Reads the whole file or throws vemo::Error naming it; nullptr for the native files, which the
    // data tree reads as a coordinate file with its parcel files.
    ForeignData (*read)(const std::filesystem::path& path);
    // Writes the file safely (complete or untouched); nullptr for the native files and for a format the
    // program only reads (the registry map).
    void (*write)(const std::filesystem::path& path, const ExchangeContent& content);
    // The desktop's type of the files when the program can be made their opener (the settings'
    // association boxes), empty otherwise; its description in the form the surveyors' other desktop
    // shows.  The type definition is "vemo-<cliName>.xml" and matches "*<extension>" in any case.
    std::string_view mimeType = {};
    std::string_view mimeComment = {};
    std::string_view otherExtension = ""; // a second extension that tells it (".zip" of the registry map)
};

// Every format, the native one first.
std::span<const FileFormat> FileFormats();
const FileFormat& FormatOf(FileKind kind);

// The format an extension tells (".Xyz", ".sim", ".txt", ".xml", ".zip", any case), or nullptr.
const FileFormat* FormatFromExtension(const std::filesystem::path& path);
// The format a --from / --to value names ("xyz", "sima", "nichoren", "mapxml", any case), or nullptr.
const FileFormat* FormatFromCliName(std::string_view name);

} // namespace vemo
