#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// Batch conversion between the native coordinate file (with its parcel file), SIMA and 日調連, for
// the command line tool.
enum class FileKind { Native, Sima, Nichoren };

// ".Xyz" native, ".sim" SIMA, ".txt" 日調連 (the default extension of its save dialog), any case.
std::optional<FileKind> KindFromExtension(const std::filesystem::path& path);
// "xyz", "sima", "nichoren" (the names the --from / --to options take).
std::optional<FileKind> KindFromName(std::string_view name);

struct ConvertRequest {
    std::filesystem::path input;
    FileKind from = FileKind::Native;
    std::filesystem::path output;
    FileKind to = FileKind::Native;
    std::filesystem::path inputBlk;  // parcels read with a native input (optional)
    std::filesystem::path outputBlk; // parcels written with a native output; default beside the output
    std::string caseName;            // CP932, the SIMA header's site name
};

struct ConvertResult {
    int points = 0;
    int parcels = 0;
    bool parcelsDropped = false;      // 日調連 holds no parcels
    std::filesystem::path blkWritten; // native output: the parcel file written, if any
};

// Reads the whole input first, then writes; throws vemo::Error with the readers' and writers' messages
// (the output is then untouched).
ConvertResult ConvertFile(const ConvertRequest& request);

} // namespace vemo
