// The 日調連 reader: any bytes are read or refused with vemo::Error; accepted points carry a name and
// three-decimal numbers.
#include "core/files/Fields.h"
#include "core/files/Nichoren.h"
#include "core/text/Error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        vemo::ForeignData read = vemo::ParseNichorenText(input);
        for (const vemo::XyzRow& row : read.rows) {
            if (row[vemo::kColName].empty() || vemo::ReadCoordinateText(row[vemo::kColY]) != row[vemo::kColY]) {
                std::abort();
            }
        }
    } catch (const vemo::Error&) {
    }
    return 0;
}
