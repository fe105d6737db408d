// The settings (INI) reader: any bytes give settings (never an exception for the content), every key
// can be read, and a value written into any document reads back exactly while the other keys keep
// their values.
#include "core/settings/IniDocument.h"
#include "core/settings/Settings.h"
#include "core/text/Error.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The whole start-up read goes through a real file, as the program does it.
const std::string& ScratchFile() {
    static const std::string path = "/tmp/fuzz_ini_" + std::to_string(::getpid()) + ".ini";
    return path;
}

void ReadThroughFile(std::string_view bytes) {
    std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    vemo::LoadSettings(ScratchFile(), "/tmp");
    vemo::LoadTrvsOptions(ScratchFile());
    vemo::LoadHeadLabels(ScratchFile());
    vemo::LoadPrograms(ScratchFile());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadThroughFile(bytes);
    vemo::IniDocument document(bytes);
    const std::string otherBefore = document.ReadString("Data", "DatDir", "<none>");
    try {
        document.Write("Trvs", "ErrDiv", "1");
    } catch (const vemo::Error&) {
        std::abort(); // a plain value must always be writable
    }
    vemo::IniDocument reread(document.Bytes());
    if (reread.ReadString("Trvs", "ErrDiv", "") != "1") {
        std::abort();
    }
    if (document.ReadString("Data", "DatDir", "<none>") != otherBefore && bytes.find("[Trvs") == std::string::npos) {
        std::abort(); // writing one key changed another
    }
    return 0;
}
