#pragma once

#include "core/files/RegistryMapDocument.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace vemo {

// Reads a registry map file (地図XML) as a stream: the text is given in pieces of any size, so a city's
// file of hundreds of megabytes is never held whole.  Bytes that are not UTF-8 are repaired on the way
// in (Utf8Repair) and listed as problems; what is not well-formed XML throws vemo::Error naming the line,
// since the rest of such a file cannot be trusted.
class RegistryMapParser {
public:
    // `fileLabel` (CP932) names the file in messages.
    explicit RegistryMapParser(std::string fileLabel);
    ~RegistryMapParser();
    RegistryMapParser(const RegistryMapParser&) = delete;
    RegistryMapParser& operator=(const RegistryMapParser&) = delete;

    void Feed(std::string_view bytes);
    // Ends the text and hands over what it held.  Throws when the file is not a registry map.
    RegistryMapDocument Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A whole text at once (tests, the fuzzer).
RegistryMapDocument ParseRegistryMapText(std::string_view text, std::string fileLabel);
// A file read in pieces; throws vemo::Error naming it when it cannot be opened or read.
RegistryMapDocument ReadRegistryMapXml(const std::filesystem::path& path);

} // namespace vemo
