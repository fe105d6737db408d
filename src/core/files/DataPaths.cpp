#include "core/files/DataPaths.h"

#include "core/files/FileIo.h"

namespace vemo {
namespace fs = std::filesystem;

fs::path SiteFolder(const fs::path& datDir, std::string_view site) {
    return datDir / FsName(site);
}

fs::path CoordinateFolder(const fs::path& datDir, std::string_view site, std::string_view xyz) {
    return SiteFolder(datDir, site) / FsName(xyz);
}

fs::path XyzFilePath(const fs::path& datDir, std::string_view site, std::string_view xyz) {
    return DataFileOfFolder(CoordinateFolder(datDir, site, xyz), 1);
}

fs::path ParcelFolder(const fs::path& datDir, std::string_view site, std::string_view xyz, std::string_view blk) {
    return CoordinateFolder(datDir, site, xyz) / FsName(blk);
}

fs::path BlkFilePath(const fs::path& datDir, std::string_view site, std::string_view xyz, std::string_view blk) {
    return DataFileOfFolder(ParcelFolder(datDir, site, xyz, blk), 2);
}

fs::path DataFileOfFolder(const fs::path& folder, int level) {
    // Appended, not replace_extension: a data name may itself hold a dot ("No.1").
    fs::path file = folder;
    file += level == 2 ? kBlkExtension : kXyzExtension;
    return file;
}

} // namespace vemo
