#include "core/files/ParcelLink.h"

#include "core/files/ExportPoints.h"
#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Numbers.h"

#include <cmath>

namespace vemo {

namespace {

struct LinkVertex {
    std::string name;
    double x = 0;
    double y = 0;
    std::string tensyu;
};

std::vector<LinkVertex> LinkVertices(const Block& block, const XyzList& list, const XyzNameIndex& index) {
    std::vector<LinkVertex> vertices;
    double x = 0;
    double y = 0;
    for (std::string& name : RingNames(block.NoList)) {
        std::string tensyu;
        if (auto found = index.Find(name)) {
            x = found->x;
            y = found->y;
            if (found->row < list.RowCount()) {
                tensyu = list.Cell(found->row, kColTensyu);
            }
        }
        vertices.push_back({std::move(name), x, y, std::move(tensyu)});
    }
    return vertices;
}

// Twice the signed area by the trapezoid sum over the ring, closing edge included.
double RingArea(const std::vector<LinkVertex>& v) {
    if (v.empty()) {
        return 0.0;
    }
    double sum = 0;
    for (size_t i = 1; i < v.size(); ++i) {
        sum += (v[i].x - v[i - 1].x) * (v[i].y + v[i - 1].y);
    }
    sum += (v.front().x - v.back().x) * (v.front().y + v.back().y);
    return std::fabs(0.5 * sum);
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
        std::vector<LinkVertex> vertices = LinkVertices(block, list, index);
        text += "#" + std::to_string(p + 1) + "_" + block.BlockName + "\r\n";
        text += Sprintf("ar %15.7f\r\n", RingArea(vertices));
        for (const LinkVertex& v : vertices) {
            AppendLeft(text, v.name, 10);
            text += Sprintf(" %15.6f %15.6f ", v.x, v.y);
            AppendRight(text, v.tensyu, 20);
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
