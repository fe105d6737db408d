#pragma once

#include "core/files/FileFormat.h"
#include "core/files/RegistryMapImport.h"

#include <filesystem>
#include <string>

namespace vemo {

// Batch conversion between the native coordinate file (with its parcel file) and the exchange formats
// (FileFormats), for the command line tool.

struct ConvertRequest {
    std::filesystem::path input;
    FileKind from = FileKind::Native;
    std::filesystem::path output;
    FileKind to = FileKind::Native;
    std::filesystem::path inputBlk;   // parcels read with a native input (optional)
    std::filesystem::path outputBlk;  // parcels written with a native output; default beside the output
    std::string caseName;             // CP932, the SIMA header's site name
    RegistryMapChoice mapChoice = {}; // the parcels taken from a registry map
};

struct ConvertResult {
    int points = 0;
    int parcels = 0;
    bool parcelsDropped = false;      // the output format holds no parcels
    std::filesystem::path blkWritten; // native output: the parcel file written, if any
    // What the reader said of its input (a registry map): CP932 lines, the zone it names, its source.
    std::vector<std::string> notes;
    int planeZone = 0;
    std::string sourceLine;
};

// Reads the whole input first, then writes; throws vemo::Error with the readers' and writers' messages
// (the output is then untouched).
ConvertResult ConvertFile(const ConvertRequest& request);

} // namespace vemo
