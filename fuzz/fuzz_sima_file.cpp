// The SIMA reader: any bytes are read or refused with vemo::Error; accepted points carry a name and
// three-decimal numbers.
#include "core/files/Fields.h"
#include "core/files/Sima.h"
#include "core/text/Error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        vemo::ForeignData read = vemo::ParseSimaText(input);
        for (const vemo::XyzRow& row : read.rows) {
            if (row[vemo::kColName].empty() || vemo::ReadCoordinateText(row[vemo::kColX]) != row[vemo::kColX]) {
                std::abort();
            }
        }
    } catch (const vemo::Error&) {
    }
    return 0;
}
