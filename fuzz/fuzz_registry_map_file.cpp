// libFuzzer target: the registry map reader (地図XML) and the import of what it read, for any bytes.
#include "core/files/RegistryMapImport.h"
#include "core/files/RegistryMapParser.h"
#include "core/text/Error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        std::vector<vemo::NamedRegistryMap> maps;
        maps.push_back({"fuzz.xml", vemo::ParseRegistryMapText(
                                        std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml")});
        vemo::RegistryMapParcels(maps);
        vemo::ImportRegistryMaps(maps, {});
    } catch (const vemo::Error&) {
        // A refusal with a message is what bad input should get.
    }
    return 0;
}
