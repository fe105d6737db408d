// The ZUB observation file reader: any bytes are read or refused with vemo::Error, and what it accepts
// writes out as a file that reads back to the same rows and writes the same bytes again.
#include "core/text/Error.h"
#include "core/zub/ZubFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<vemo::ZubRow> rows;
    try {
        rows = vemo::ParseZubText(input);
    } catch (const vemo::Error&) {
        return 0;
    }
    std::string written;
    try {
        written = vemo::FormatZubText(rows);
    } catch (const vemo::Error&) {
        return 0; // a record whose fresh check character would be a line end is refused on saving
    }
    // Writing recomputes the check characters, so it is the written file that must be stable.
    if (vemo::FormatZubText(vemo::ParseZubText(written)) != written) {
        std::abort();
    }
    return 0;
}
