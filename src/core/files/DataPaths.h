#pragma once

#include <filesystem>
#include <string_view>

namespace vemo {

// Where site data lives below a data folder root (names are CP932, as the store holds them):
//   <DatDir>/<site>/                      site folder, profile "Case.Pro"
//   <DatDir>/<site>/<xyz>.Xyz             coordinate data, its folder <xyz>/ holds "Xyz.Pro"
//   <DatDir>/<site>/<xyz>/<blk>.Blk       parcel data, its folder <blk>/ holds "Blk.Pro"
// Backups ".Bak" sit beside the data files.

constexpr const char* kXyzExtension = ".Xyz";
constexpr const char* kBlkExtension = ".Blk";
constexpr const char* kXyzLinkFileName = "Xyz.txt";
constexpr const char* kAutoXyzFileName = "Auto.Xyz";
constexpr const char* kAutoBlkFileName = "Auto.Blk";

std::filesystem::path SiteFolder(const std::filesystem::path& datDir, std::string_view site);
std::filesystem::path CoordinateFolder(const std::filesystem::path& datDir, std::string_view site,
                                       std::string_view xyz);
std::filesystem::path XyzFilePath(const std::filesystem::path& datDir, std::string_view site, std::string_view xyz);
std::filesystem::path ParcelFolder(const std::filesystem::path& datDir, std::string_view site, std::string_view xyz,
                                   std::string_view blk);
std::filesystem::path BlkFilePath(const std::filesystem::path& datDir, std::string_view site, std::string_view xyz,
                                  std::string_view blk);

// The data file beside a level-1 or level-2 folder: "<folder>.Xyz" or "<folder>.Blk", or the file that
// is there under that name with its letters in another case ("<folder>.XYZ").
std::filesystem::path DataFileOfFolder(const std::filesystem::path& folder, int level);

} // namespace vemo
