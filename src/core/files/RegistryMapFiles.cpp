#include "core/files/RegistryMapFiles.h"

#include "core/files/RegistryMapParser.h"
#include "core/io/SafeReplace.h"
#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/MessagesRegistryMap.h"

#include <zip.h>

#include <memory>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// A city's archive is a few hundred megabytes of XML inside small archives: an inner archive is read
// into memory whole, an XML entry in pieces.
constexpr zip_uint64_t kMaxInnerArchive = 512ull << 20;

bool EndsWithIgnoreCase(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() && EqualsIgnoreCase(name.substr(name.size() - suffix.size()), suffix);
}

std::string BaseName(std::string_view entry) {
    const std::size_t slash = entry.find_last_of('/');
    return std::string(slash == std::string_view::npos ? entry : entry.substr(slash + 1));
}

using ZipArchive = std::unique_ptr<zip_t, int (*)(zip_t*)>;

void ReadArchive(zip_t* archive, const std::string& label, std::vector<NamedRegistryMap>& maps);

void ReadXmlEntry(zip_t* archive, zip_uint64_t index, const std::string& entryName, const std::string& label,
                  std::vector<NamedRegistryMap>& maps) {
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(archive, index, 0), &zip_fclose);
    if (!file) {
        throw Error(msg::MapArchiveUnreadable(label, zip_strerror(archive)));
    }
    RegistryMapParser parser(label + "/" + entryName);
    std::string buffer(1 << 20, '\0');
    while (true) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            throw Error(msg::MapArchiveUnreadable(label, zip_file_strerror(file.get())));
        }
        if (got == 0) {
            break;
        }
        parser.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
    maps.push_back({BaseName(entryName), parser.Finish()});
}

void ReadInnerArchive(zip_t* archive, zip_uint64_t index, const std::string& entryName, const std::string& label,
                      std::vector<NamedRegistryMap>& maps) {
    zip_stat_t stat;
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        stat.size > kMaxInnerArchive) {
        throw Error(msg::MapArchiveUnreadable(label + "/" + entryName, zip_strerror(archive)));
    }
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(archive, index, 0), &zip_fclose);
    if (!file || zip_fread(file.get(), bytes.data(), bytes.size()) != static_cast<zip_int64_t>(bytes.size())) {
        throw Error(msg::MapArchiveUnreadable(label + "/" + entryName, zip_strerror(archive)));
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* inner = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (inner == nullptr) {
        const std::string reason = zip_error_strerror(&error);
        if (source) {
            zip_source_free(source);
        }
        zip_error_fini(&error);
        throw Error(msg::MapArchiveUnreadable(label + "/" + entryName, reason));
    }
    zip_error_fini(&error);
    ZipArchive owned(inner, &zip_close);
    ReadArchive(inner, label + "/" + entryName, maps);
}

void ReadArchive(zip_t* archive, const std::string& label, std::vector<NamedRegistryMap>& maps) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr) {
            continue;
        }
        if (EndsWithIgnoreCase(name, ".xml")) {
            ReadXmlEntry(archive, static_cast<zip_uint64_t>(i), name, label, maps);
        } else if (EndsWithIgnoreCase(name, ".zip")) {
            ReadInnerArchive(archive, static_cast<zip_uint64_t>(i), name, label, maps);
        }
    }
}

} // namespace

std::vector<NamedRegistryMap> ReadRegistryMaps(const fs::path& path) {
    std::vector<NamedRegistryMap> maps;
    const std::string label = MessagePath(path);
    if (!EndsWithIgnoreCase(path.filename().string(), ".zip")) {
        maps.push_back({path.filename().string(), ReadRegistryMapXml(path)});
        return maps;
    }
    int error = 0;
    ZipArchive archive(zip_open(path.c_str(), ZIP_RDONLY, &error), &zip_close);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, error);
        const std::string reason = zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        throw Error(msg::MapArchiveUnreadable(label, reason));
    }
    ReadArchive(archive.get(), label, maps);
    if (maps.empty()) {
        throw Error(msg::MapArchiveHasNoMap(label));
    }
    return maps;
}

ForeignData RegistryMapForeignData(RegistryMapImport imported) {
    ForeignData data;
    data.rows = std::move(imported.rows);
    data.blocks = std::move(imported.blocks);
    data.notes = std::move(imported.notes);
    data.notes.insert(data.notes.begin(),
                      msg::MapImported(data.blocks.size(), data.rows.size(), Cp932OrGeta(imported.coordinateSystem)));
    data.planeZone = imported.planeZone;
    data.sourceLine = std::move(imported.sourceLine);
    return data;
}

ForeignData ReadRegistryMapFile(const fs::path& path, const RegistryMapChoice& choice) {
    return RegistryMapForeignData(ImportRegistryMaps(ReadRegistryMaps(path), choice));
}

} // namespace vemo
