#include "core/files/ParcelLink.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/parcels/ParcelArea.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

// 点種 of a ring vertex, empty for a name the coordinate list does not hold.
std::string VertexTensyu(const std::string& name, const XyzList& list, const XyzNameIndex& index) {
    auto found = index.Find(name);
    if (found && found->row < list.RowCount()) {
        return list.Cell(found->row, kColTensyu);
    }
    return {};
}

} // namespace

std::vector<int> LinkParcelPositions(int blkOutType, int parcelCount, const std::vector<int>& selected) {
    bool selectedOnly = blkOutType == 1 || (blkOutType == 0 && selected.size() > 1);
    if (selectedOnly) {
        return selected;
    }
    std::vector<int> all(parcelCount);
    for (int p = 0; p < parcelCount; ++p) {
        all[p] = p;
    }
    return all;
}

std::string FormatParcelLinkText(const BlockList& blocks, const std::vector<int>& positions, const XyzList& list,
                                 const XyzNameIndex& index) {
    std::string text;
    for (int p : positions) {
        if (p < 0 || p >= blocks.Count()) {
            continue;
        }
        const Block& block = blocks.At(p);
        std::vector<RingPoint> ring = ParcelRingPoints(block.NoList, index);
        text += "#" + std::to_string(p + 1) + "_" + block.BlockName + "\r\n";
        text += Sprintf("ar %15.7f\r\n", RingAreaFigures(ring).area);
        for (const RingPoint& v : ring) {
            AppendLeft(text, v.name, 10);
            text += Sprintf(" %15.6f %15.6f ", v.x, v.y);
            AppendRight(text, v.found ? VertexTensyu(v.name, list, index) : std::string(), 20);
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

void WriteParcelLinkFile(const std::filesystem::path& path, const BlockList& blocks, const std::vector<int>& positions,
                         const XyzList& list, const XyzNameIndex& index) {
    WriteFileAtomic(path, FormatParcelLinkText(blocks, positions, list, index), false);
}

} // namespace vemo
