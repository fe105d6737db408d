#include "core/files/Convert.h"

#include "core/files/BlkFile.h"
#include "core/files/FileIo.h"
#include "core/files/RegistryMapFiles.h"
#include "core/files/XyzFile.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesFiles.h"
#include "core/text/MessagesRegistryMap.h"

namespace vemo {
namespace fs = std::filesystem;

namespace {

void ReadInput(const ConvertRequest& request, XyzList& list, BlockList& blocks, ConvertResult& result) {
    if (request.from == FileKind::Native) {
        if (!ReadXyzFile(request.input, list)) {
            throw Error(msg::CannotOpen(MessagePath(request.input)));
        }
        if (!request.inputBlk.empty() && !ReadBlkFile(request.inputBlk, blocks)) {
            throw Error(msg::CannotOpenInputFile() + " (" + MessagePath(request.inputBlk) + ")");
        }
        return;
    }
    ForeignData data = request.from == FileKind::RegistryMap ? ReadRegistryMapFile(request.input, request.mapChoice)
                                                             : FormatOf(request.from).read(request.input);
    result.notes = std::move(data.notes);
    result.planeZone = data.planeZone;
    result.sourceLine = std::move(data.sourceLine);
    list.ReplaceAll(std::move(data.rows));
    blocks.ReplaceAll(std::move(data.blocks));
}

std::string Stem(const fs::path& path) {
    return MessagePath(path.stem());
}

fs::path OutputBlkPath(const ConvertRequest& request) {
    if (!request.outputBlk.empty()) {
        return request.outputBlk;
    }
    return fs::path(request.output).replace_extension(".Blk");
}

// Two names for one file: the same path after links and "..", or two hard links to it.
bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) {
        return true;
    }
    const fs::path resolvedA = fs::weakly_canonical(fs::absolute(a, ec), ec);
    const fs::path resolvedB = fs::weakly_canonical(fs::absolute(b, ec), ec);
    return resolvedA == resolvedB;
}

// The parcels written over the coordinates just written would destroy them and still report success.
void RefuseOneFileForTwoOutputs(const ConvertRequest& request) {
    if (request.to == FileKind::Native && SameFile(request.output, OutputBlkPath(request))) {
        throw Error(msg::SameFileForPointsAndParcels(MessagePath(request.output)));
    }
}

int CountPoints(const XyzList& list) {
    int points = 0;
    for (int r = 1; r < list.RowCount(); ++r) {
        points += !list.Cell(r, kColX).empty() && !list.Cell(r, kColY).empty();
    }
    return points;
}

// Coordinates and parcels go out as one pair: if either cannot be written, neither changes, so the
// parcels can never name points of another version of the list.
void WriteNative(const ConvertRequest& request, const XyzList& list, const BlockList& blocks, ConvertResult& result) {
    std::vector<DataFileWrite> files{{request.output, FormatXyzText(list)}};
    if (blocks.Count() > 0) {
        files.push_back({OutputBlkPath(request), FormatBlkText(blocks.All())});
        result.blkWritten = files.back().path;
    }
    WriteFilesAtomic(files, false);
    result.points = CountPoints(list);
}

} // namespace

ConvertResult ConvertFile(const ConvertRequest& request) {
    RefuseOneFileForTwoOutputs(request);
    if (request.to != FileKind::Native && FormatOf(request.to).write == nullptr) {
        throw Error(msg::FormatIsReadOnly(FormatOf(request.to).cliName));
    }
    XyzList list;
    BlockList blocks;
    ConvertResult result;
    ReadInput(request, list, blocks, result);
    result.parcels = blocks.Count();
    if (request.to == FileKind::Native) {
        WriteNative(request, list, blocks, result);
        return result;
    }
    const FileFormat& output = FormatOf(request.to);
    std::vector<ExportPoint> points = PointsFromList(list);
    result.points = static_cast<int>(points.size());
    const SimaNames names{request.caseName, Stem(request.input),
                          request.inputBlk.empty() ? Stem(request.input) : Stem(request.inputBlk)};
    if (!output.carriesParcels) {
        output.write(request.output, {names, points, nullptr});
        result.parcelsDropped = blocks.Count() > 0;
        return result;
    }
    XyzNameIndex index;
    index.Rebuild(list);
    std::vector<ExportParcel> parcels = ParcelsForExport(blocks, index);
    output.write(request.output, {names, points, &parcels});
    return result;
}

} // namespace vemo
