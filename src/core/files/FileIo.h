#pragma once

#include "core/io/SafeReplace.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// File names on disk are UTF-8; names inside the system (site, data and parcel names) are CP932.
// These two are the only crossings between the two.
std::filesystem::path FsName(std::string_view cp932Name);
// Nothing when the name has no CP932 form (such a folder cannot be named inside the system).
std::optional<std::string> Cp932Name(const std::filesystem::path& fileName);

// Larger input files are refused before they are read: a full site (99,998 points) is about 12 MB.
constexpr std::uintmax_t kMaxInputFileBytes = 512u << 20;

// The whole file as bytes; nothing when it does not exist or cannot be read (a folder, a FIFO, a
// device, no permission).  A file over kMaxInputFileBytes is refused (see ReadBoundedFile).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Lines of a text one by one, split at CR, LF or CR LF.  A last line without a line end counts, empty
// lines count, and text without any byte has no line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line);
    size_t LineNo() const { return lineNo_; } // 1-based number of the line Next gave last

private:
    std::string_view text_;
    size_t pos_ = 0;
    size_t lineNo_ = 0;
};

// All lines, but at most maxLines + 1 of them, so that a caller can refuse a file with too many lines
// without holding them all.
std::vector<std::string_view> SplitLines(std::string_view text, size_t maxLines = SIZE_MAX - 1);

// Replaces a file safely (see ReplaceFile); with `backup` the replaced file is kept as its ".Bak".
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, bool backup);

// A data file and the bytes that replace it, for saving coordinates and parcels as one pair.
struct DataFileWrite {
    std::filesystem::path path;
    std::string bytes;
};

// Replaces the files together (see ReplaceFiles): when any of them cannot be written, none changes.
void WriteFilesAtomic(const std::vector<DataFileWrite>& files, bool backup);

// The backup of a data file: the same name with ".Bak" in place of its extension.
std::filesystem::path BackupPath(const std::filesystem::path& dataFile);

} // namespace vemo
