#include "core/files/AutoSave.h"

#include "core/files/BlkFile.h"
#include "core/files/DataPaths.h"
#include "core/files/FileIo.h"
#include "core/files/XyzFile.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

namespace vemo {
namespace fs = std::filesystem;

void WriteAutoSave(const fs::path& exeDir, const XyzList& list, const BlockList& blocks) {
    WriteFileAtomic(exeDir / kAutoXyzFileName, FormatXyzText(list), false);
    fs::path blk = exeDir / kAutoBlkFileName;
    if (blocks.Count() > 0) {
        WriteFileAtomic(blk, FormatBlkText(blocks.All()), false);
    } else {
        std::error_code ignored;
        fs::remove(blk, ignored);
    }
}

int AutoSaveRestoreLevel(const fs::path& exeDir) {
    std::error_code ec;
    if (fs::exists(exeDir / kAutoBlkFileName, ec)) {
        return 2;
    }
    return fs::exists(exeDir / kAutoXyzFileName, ec) ? 1 : 0;
}

int ReadAutoSave(const fs::path& exeDir, XyzList& list, BlockList& blocks) {
    std::optional<std::string> xyz = ReadWholeFile(exeDir / kAutoXyzFileName);
    if (!xyz) {
        return 0;
    }
    std::vector<XyzRow> rows = ParseXyzText(*xyz);
    std::vector<Block> parcels;
    int level = AutoSaveRestoreLevel(exeDir);
    if (level == 2) {
        std::optional<std::string> blk = ReadWholeFile(exeDir / kAutoBlkFileName);
        if (!blk) {
            throw Error(msg::CannotOpenInputFile());
        }
        parcels = ParseBlkText(*blk);
    }
    LoadXyzRows(list, std::move(rows), XyzReadMode::Replace);
    if (level == 2) {
        blocks.ReplaceAll(std::move(parcels));
    }
    return level;
}

} // namespace vemo
