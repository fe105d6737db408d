#include "core/files/Convert.h"

#include "core/files/BlkFile.h"
#include "core/files/FileIo.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

namespace vemo {
namespace fs = std::filesystem;

namespace {

void ReadInput(const ConvertRequest& request, XyzList& list, BlockList& blocks) {
    if (request.from == FileKind::Native) {
        if (!ReadXyzFile(request.input, list)) {
            throw Error(msg::CannotOpen(MessagePath(request.input)));
        }
        if (!request.inputBlk.empty() && !ReadBlkFile(request.inputBlk, blocks)) {
            throw Error(msg::CannotOpenInputFile() + " (" + MessagePath(request.inputBlk) + ")");
        }
        return;
    }
    ForeignData data = request.from == FileKind::Sima ? ReadSimaFile(request.input) : ReadNichorenFile(request.input);
    list.ReplaceAll(std::move(data.rows));
    blocks.ReplaceAll(std::move(data.blocks));
}

std::string Stem(const fs::path& path) {
    return MessagePath(path.stem());
}

} // namespace

std::optional<FileKind> KindFromExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    if (EqualsIgnoreCase(ext, ".xyz")) {
        return FileKind::Native;
    }
    if (EqualsIgnoreCase(ext, ".sim")) {
        return FileKind::Sima;
    }
    if (EqualsIgnoreCase(ext, ".txt")) {
        return FileKind::Nichoren;
    }
    return std::nullopt;
}

std::optional<FileKind> KindFromName(std::string_view name) {
    if (EqualsIgnoreCase(name, "xyz")) {
        return FileKind::Native;
    }
    if (EqualsIgnoreCase(name, "sima")) {
        return FileKind::Sima;
    }
    if (EqualsIgnoreCase(name, "nichoren")) {
        return FileKind::Nichoren;
    }
    return std::nullopt;
}

ConvertResult ConvertFile(const ConvertRequest& request) {
    XyzList list;
    BlockList blocks;
    ReadInput(request, list, blocks);
    ConvertResult result;
    result.parcels = blocks.Count();
    if (request.to == FileKind::Native) {
        WriteXyzFile(request.output, list);
        if (blocks.Count() > 0) {
            fs::path blk = request.outputBlk;
            if (blk.empty()) {
                blk = fs::path(request.output).replace_extension(".Blk");
            }
            WriteBlkFile(blk, blocks);
            result.blkWritten = blk;
        }
        for (int r = 1; r < list.RowCount(); ++r) {
            result.points += !list.Cell(r, kColX).empty() && !list.Cell(r, kColY).empty();
        }
        return result;
    }
    std::vector<ExportPoint> points = PointsFromList(list);
    result.points = static_cast<int>(points.size());
    if (request.to == FileKind::Nichoren) {
        WriteNichorenFile(request.output, points);
        result.parcelsDropped = blocks.Count() > 0;
        return result;
    }
    XyzNameIndex index;
    index.Rebuild(list);
    std::vector<ExportParcel> parcels = ParcelsForExport(blocks, index);
    SimaNames names{request.caseName, Stem(request.input),
                    request.inputBlk.empty() ? Stem(request.input) : Stem(request.inputBlk)};
    WriteSimaFile(request.output, names, points, &parcels);
    return result;
}

} // namespace vemo
