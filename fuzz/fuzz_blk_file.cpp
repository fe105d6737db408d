// The parcel reader: any bytes are read or refused with vemo::Error, and what it accepts writes and
// reads back unchanged.
#include "core/files/BlkFile.h"
#include "core/text/Error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<vemo::Block> blocks;
    try {
        blocks = vemo::ParseBlkText(input);
    } catch (const vemo::Error&) {
        return 0;
    }
    std::vector<vemo::Block> again = vemo::ParseBlkText(vemo::FormatBlkText(blocks));
    if (again.size() != blocks.size()) {
        std::abort();
    }
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (again[i].BlockName != blocks[i].BlockName || again[i].NoRowCount != blocks[i].NoRowCount ||
            again[i].NoList != blocks[i].NoList) {
            std::abort();
        }
    }
    return 0;
}
