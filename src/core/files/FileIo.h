#pragma once

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

// The whole file as bytes; nothing when it does not exist or cannot be read (a folder, no permission).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Splits text into lines at CR, LF or CR LF.  A last line without a line end counts, empty lines count,
// and text without any byte has no line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Replaces a file so that it always holds either the old or the complete new bytes: the bytes go to a
// temporary file in the same folder, which is flushed and renamed over the target.  With `backup` the
// old file first becomes the ".Bak" beside it (a former ".Bak" is dropped).  On failure the old file
// and its backup are left as they were and vemo::Error is thrown: "出力ファイルを開けません" when the
// file cannot be created, "<file> に書き込めません" when writing fails (disk full).
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, bool backup);

// The backup of a data file: the same name with ".Bak" in place of its extension.
std::filesystem::path BackupPath(const std::filesystem::path& dataFile);

} // namespace vemo
