#include "core/files/DataPaths.h"

#include "core/files/FileIo.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Bytes.h"

namespace vemo {
namespace fs = std::filesystem;

fs::path SiteFolder(const fs::path& datDir, std::string_view site) {
    return ExistingEntryOfCp932Name(datDir, site);
}

fs::path CoordinateFolder(const fs::path& datDir, std::string_view site, std::string_view xyz) {
    return ExistingEntryOfCp932Name(SiteFolder(datDir, site), xyz);
}

fs::path XyzFilePath(const fs::path& datDir, std::string_view site, std::string_view xyz) {
    return DataFileOfFolder(CoordinateFolder(datDir, site, xyz), 1);
}

fs::path ParcelFolder(const fs::path& datDir, std::string_view site, std::string_view xyz, std::string_view blk) {
    return ExistingEntryOfCp932Name(CoordinateFolder(datDir, site, xyz), blk);
}

fs::path BlkFilePath(const fs::path& datDir, std::string_view site, std::string_view xyz, std::string_view blk) {
    return DataFileOfFolder(ParcelFolder(datDir, site, xyz, blk), 2);
}

namespace {

// Files copied from other systems come with the extension in any case ("x.XYZ", "x.xyz"): the one
// that is there is the data file, so that it opens, and a save replaces it instead of leaving two.
fs::path ExistingInAnyCase(const fs::path& wanted) {
    std::error_code ec;
    if (fs::exists(wanted, ec)) {
        return wanted;
    }
    // The name itself is compared byte for byte (a CP932 trail byte may look like a letter).
    const std::string wantedName = wanted.filename().string();
    const size_t stem = wantedName.size() - Extension(wantedName).size();
    auto sameName = [&](const std::string& name) {
        return name.size() == wantedName.size() && name.compare(0, stem, wantedName, 0, stem) == 0 &&
               EqualsIgnoreCase(std::string_view(name).substr(stem), std::string_view(wantedName).substr(stem));
    };
    for (fs::directory_iterator it(wanted.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc) && sameName(it->path().filename().string())) {
            return it->path();
        }
    }
    return wanted;
}

} // namespace

fs::path DataFileOfFolder(const fs::path& folder, int level) {
    // Appended, not replace_extension: a data name may itself hold a dot ("No.1").
    fs::path file = folder;
    file += level == 2 ? kBlkExtension : kXyzExtension;
    return ExistingInAnyCase(file);
}

} // namespace vemo
