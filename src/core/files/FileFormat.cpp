#include "core/files/FileFormat.h"

#include "core/files/Nichoren.h"
#include "core/files/RegistryMapFiles.h"
#include "core/text/Bytes.h"

#include <array>

namespace vemo {
namespace fs = std::filesystem;

namespace {

void WriteSima(const fs::path& path, const ExchangeContent& content) {
    WriteSimaFile(path, content.names, content.points, content.parcels);
}

void WriteNichoren(const fs::path& path, const ExchangeContent& content) {
    WriteNichorenFile(path, content.points);
}

ForeignData ReadWholeRegistryMap(const fs::path& path) {
    return ReadRegistryMapFile(path, {});
}

constexpr std::array kFormats{
    FileFormat{FileKind::Native, "xyz", ".xyz", "", "", "", true, true, nullptr, nullptr, "application/x-vemo-xyz",
               "XYZFormatFile"},
    FileFormat{FileKind::Sima, "sima", ".sim", "SIMA Format File", "SIMA files (*.SIM)|*.SIM", "SIM", true, true,
               ReadSimaFile, WriteSima, "application/x-sima", "SIMAFormatFile"},
    // ".txt" is the default extension of its save dialog.
    FileFormat{FileKind::Nichoren, "nichoren", ".txt", "日調連 Format File",
               "日調連 files (*.Txt)|*.Txt|その他 (*.*)|*.*", "Txt", false, false, ReadNichorenFile, WriteNichoren, "",
               ""},
    // The ministry's registry map data (登記所備付地図データ), read only: an XML file or its ".zip".  Opened
    // by name and by drop, but never claimed from the desktop: ".xml" and ".zip" are everybody's.
    FileFormat{FileKind::RegistryMap, "mapxml", ".xml", "登記所備付地図データ（地図XML）",
               "地図XML (*.xml *.zip)|*.xml;*.zip", "", true, true, ReadWholeRegistryMap, nullptr, "", "", ".zip"},
};

} // namespace

std::span<const FileFormat> FileFormats() {
    return kFormats;
}

const FileFormat& FormatOf(FileKind kind) {
    for (const FileFormat& format : kFormats) {
        if (format.kind == kind) {
            return format;
        }
    }
    return kFormats.front();
}

const FileFormat* FormatFromExtension(const fs::path& path) {
    const std::string extension = path.extension().string();
    for (const FileFormat& format : kFormats) {
        if (EqualsIgnoreCase(extension, format.extension) ||
            (!format.otherExtension.empty() && EqualsIgnoreCase(extension, format.otherExtension))) {
            return &format;
        }
    }
    return nullptr;
}

const FileFormat* FormatFromCliName(std::string_view name) {
    for (const FileFormat& format : kFormats) {
        if (EqualsIgnoreCase(name, format.cliName)) {
            return &format;
        }
    }
    return nullptr;
}

} // namespace vemo
