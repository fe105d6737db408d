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

#include <ctime>
#include <iterator>
#include <string_view>

namespace vemo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kKeys[] = {"DatDir", "Case", "Xyz", "Blk", "PointsModified", "ParcelsModified", "SavedAt"};

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

// One "key=value" line per field, CR LF, CP932 as the names are.
std::string FormatOrigin(const AutoSaveOrigin& o) {
    const std::string values[] = {
        o.datDir, o.caseName, o.xyzName, o.blkName, o.pointsModified ? "1" : "0", o.parcelsModified ? "1" : "0",
        o.savedAt};
    std::string text;
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        text.append(kKeys[i]).append("=").append(values[i]).append("\r\n");
    }
    return text;
}

AutoSaveOrigin ParseOrigin(std::string_view text) {
    AutoSaveOrigin o;
    std::string* fields[] = {&o.datDir, &o.caseName, &o.xyzName, &o.blkName, nullptr, nullptr, &o.savedAt};
    LineCursor lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        for (size_t i = 0; i < std::size(kKeys); ++i) {
            if (key != kKeys[i]) {
                continue;
            }
            if (fields[i] != nullptr) {
                fields[i]->assign(value);
            } else {
                (i == 4 ? o.pointsModified : o.parcelsModified) = value != "0";
            }
        }
    }
    return o;
}

} // namespace

AutoSaveSnapshot TakeAutoSaveSnapshot(const XyzList& list, const BlockList& blocks, AutoSaveOrigin origin) {
    AutoSaveSnapshot snapshot;
    snapshot.rows.reserve(static_cast<size_t>(list.PointRowCount()));
    for (int r = 1; r < list.RowCount(); ++r) {
        snapshot.rows.push_back(list.Row(r));
    }
    snapshot.blocks = blocks.All();
    snapshot.origin = std::move(origin);
    snapshot.origin.savedAt = LocalTimeText();
    return snapshot;
}

void WriteAutoSave(const fs::path& exeDir, const AutoSaveSnapshot& snapshot) {
    std::vector<DataFileWrite> files{{exeDir / kAutoXyzFileName, FormatXyzText(snapshot.rows)},
                                     {exeDir / kAutoInfFileName, FormatOrigin(snapshot.origin)}};
    const fs::path blk = exeDir / kAutoBlkFileName;
    if (!snapshot.blocks.empty()) {
        // One set: a restore must never find parcels of another version of the list.
        files.push_back({blk, FormatBlkText(snapshot.blocks)});
    }
    WriteFilesAtomic(files, false);
    if (snapshot.blocks.empty()) {
        std::error_code ignored;
        fs::remove(blk, ignored);
    }
}

void WriteAutoSave(const fs::path& exeDir, const XyzList& list, const BlockList& blocks, AutoSaveOrigin origin) {
    WriteAutoSave(exeDir, TakeAutoSaveSnapshot(list, blocks, std::move(origin)));
}

std::optional<AutoSaveOrigin> ReadAutoSaveOrigin(const fs::path& exeDir) {
    const std::optional<std::string> text = ReadWholeFile(exeDir / kAutoInfFileName);
    if (!text) {
        return std::nullopt;
    }
    return ParseOrigin(*text);
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
