#include "core/files/ForeignNames.h"

#include "core/files/XyzFile.h"
#include "core/store/CommaList.h"
#include "core/text/Cp932.h"

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

std::string ShortenName(const std::string& name, size_t bytes) {
    size_t end = 0;
    while (end < name.size()) {
        const size_t width = IsLeadByte(static_cast<unsigned char>(name[end])) && end + 1 < name.size() ? 2 : 1;
        if (end + width > bytes) {
            break;
        }
        end += width;
    }
    return name.substr(0, end);
}

void ShortenLongNames(ForeignData& data) {
    for (XyzRow& row : data.rows) {
        if (row[kColName].size() > kXyzNameWidth) {
            row[kColName] = ShortenName(row[kColName], kXyzNameWidth);
        }
    }
    for (Block& block : data.blocks) {
        std::vector<std::string> vertices = DecodeCommaList(block.NoList);
        for (std::string& vertex : vertices) {
            if (vertex.size() > kXyzNameWidth) {
                vertex = ShortenName(vertex, kXyzNameWidth);
            }
        }
        block.NoList = EncodeCommaList(vertices);
    }
}

} // namespace vemo
