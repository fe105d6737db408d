#include "core/files/ForeignNames.h"

#include "core/files/XyzFile.h"
#include "core/store/CommaList.h"
#include "core/text/Bytes.h"

namespace vemo {

std::vector<size_t> PointsWithLongNames(const ForeignData& data) {
    std::vector<size_t> found;
    for (size_t i = 0; i < data.rows.size(); ++i) {
        if (data.rows[i][kColName].size() > kXyzNameWidth) {
            found.push_back(i);
        }
    }
    return found;
}

void ShortenLongNames(ForeignData& data) {
    for (XyzRow& row : data.rows) {
        if (row[kColName].size() > kXyzNameWidth) {
            row[kColName] = CutBytes(row[kColName], kXyzNameWidth);
        }
    }
    for (Block& block : data.blocks) {
        std::vector<std::string> vertices = DecodeCommaList(block.NoList);
        for (std::string& vertex : vertices) {
            if (vertex.size() > kXyzNameWidth) {
                vertex = CutBytes(vertex, kXyzNameWidth);
            }
        }
        block.NoList = EncodeCommaList(vertices);
    }
}

} // namespace vemo
