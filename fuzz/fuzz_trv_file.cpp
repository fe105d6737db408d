// The traverse file reader: any bytes are read or refused with vemo::Error (the traverse held stays as
// it was), and what it accepts writes out as a file that reads back and writes the same bytes again.
#include "core/text/Error.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const vemo::TrvsOptions options;
    vemo::TrvsHeader header;
    vemo::TrvsTable table;
    header.T0No = "KEEP";
    try {
        vemo::DecodeTrvFile(input, options, "26/12/09", header, table);
    } catch (const vemo::Error&) {
        if (header.T0No != "KEEP") {
            std::abort(); // a refused file changed the traverse held
        }
        return 0;
    }
    const std::string written = vemo::EncodeTrvFile(header, table);
    vemo::TrvsHeader again;
    vemo::TrvsTable againTable;
    vemo::DecodeTrvFile(written, options, "26/12/09", again, againTable); // must not throw
    if (vemo::EncodeTrvFile(again, againTable) != written) {
        std::abort();
    }
    return 0;
}
