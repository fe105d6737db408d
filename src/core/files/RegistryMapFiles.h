#pragma once

#include "core/files/FileFormat.h"
#include "core/files/RegistryMapImport.h"

#include <filesystem>
#include <vector>

namespace vemo {

// Reads registry map data as the ministry hands it out: one 地図XML file, or a ".zip" holding XML files
// and, as a city's archive does, further ".zip" files that hold them; nothing is unpacked to disk.
// Throws vemo::Error naming the file when it cannot be read or holds no map.
std::vector<NamedRegistryMap> ReadRegistryMaps(const std::filesystem::path& path);

// An import as foreign data: its rows and parcels, its notes after a first line that sums it up, the zone
// and the source line.
ForeignData RegistryMapForeignData(RegistryMapImport imported);

// The file-format reader: the whole map (or the parcels `choice` names) as foreign data, with the
// import's notes, zone and source line.
ForeignData ReadRegistryMapFile(const std::filesystem::path& path, const RegistryMapChoice& choice);

} // namespace vemo
