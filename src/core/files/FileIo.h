#pragma once

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
// A path for messages, as CP932 (characters without a CP932 form show as "?").
std::string MessagePath(const std::filesystem::path& path);

// Larger input files are refused before they are read: a full site (99,998 points) is about 12 MB.
constexpr std::uintmax_t kMaxInputFileBytes = 512u << 20;

// The whole file as bytes; nothing when it does not exist or cannot be read (a folder, no permission).
// A file over kMaxInputFileBytes throws vemo::Error "<file> は大きすぎるため読み込めません".
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

// Replaces a file so that it always holds either the old or the complete new bytes: the bytes go to a
// temporary file in the same folder, which is flushed and renamed over the target.  With `backup` the
// old file first becomes the ".Bak" beside it (a former ".Bak" is dropped).  On failure the old file
// and its backup are left as they were and vemo::Error is thrown: "出力ファイルを開けません" when the
// file cannot be created, "<file> に書き込めません" when writing fails (disk full).
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, bool backup);

// The backup of a data file: the same name with ".Bak" in place of its extension.
std::filesystem::path BackupPath(const std::filesystem::path& dataFile);

} // namespace vemo
