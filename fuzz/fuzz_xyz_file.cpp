// The coordinate reader: any bytes are read or refused with vemo::Error, and what it accepts and can
// write reads back unchanged.
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
    if (vemo::ParseXyzText(written) != rows) {
        std::abort();
    }
    return 0;
}
