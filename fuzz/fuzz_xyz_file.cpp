// The coordinate reader: any bytes are read or refused with vemo::Error, and what it accepts and can
// write reads back unchanged (a name alone, kept as a row without coordinates, is not written).
#include "core/files/XyzFile.h"
#include "core/text/Error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<vemo::XyzRow> rows;
    try {
        rows = vemo::ParseXyzText(input);
    } catch (const vemo::Error&) {
        return 0;
    }
    std::string written;
    try {
        written = vemo::FormatXyzText(rows);
    } catch (const vemo::Error&) {
        return 0; // a cell too wide for its field (a huge number) is refused on saving
    }
    // A name without coordinates is no point: the file keeps the points only.
    std::vector<vemo::XyzRow> points;
    for (const vemo::XyzRow& row : rows) {
        if (!row[vemo::kColX].empty() || !row[vemo::kColY].empty()) {
            points.push_back(row);
        }
    }
    if (vemo::ParseXyzText(written) != points) {
        std::abort();
    }
    return 0;
}
