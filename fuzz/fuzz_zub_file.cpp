// The ZUB observation file reader: any bytes are read or refused with vemo::Error, and what it accepts
// and the writer writes reads back (read -> write -> read) to the same fields and writes the same bytes
// again.
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
    // What the reader accepted and the writer wrote, the reader must read back: the same fields in
    // every row (the writer recomputes only the check characters), and the same bytes written again.
    std::vector<vemo::ZubRow> again;
    try {
        again = vemo::ParseZubText(written);
    } catch (const vemo::Error&) {
        std::abort();
    }
    if (again.size() != rows.size() || vemo::FormatZubText(again) != written) {
        std::abort();
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        vemo::ZubRow before = rows[i];
        vemo::ZubRow after = again[i];
        before[vemo::ZubCheckCell(before)].clear();
        after[vemo::ZubCheckCell(after)].clear();
        if (before != after) {
            std::abort();
        }
    }
    return 0;
}
