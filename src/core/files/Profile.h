#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Profile files describe a site ("Case.Pro", 8 items), coordinate data ("Xyz.Pro", 3 items) or parcel
// data ("Blk.Pro", 3 items): one CP932 line per item, "<label>\t｜<value>", CR LF.  The value of the
// first line names the new folder.

// "Case.Pro", "Xyz.Pro" or "Blk.Pro" for tree level 0, 1 or 2.
const char* ProfileFileName(int level);

// The header editor's starting text: each label followed by a tab and "｜", one per line ("\n").  The
// caret goes to `CaretAfterFirstBar` (in bytes).
std::string ProfileTemplate(const std::vector<std::string>& labels);
size_t CaretAfterFirstBar(const std::vector<std::string>& labels);

// The folder name typed into the editor: its first line with the first occurrence of the first label,
// a tab and "｜" removed; an empty name becomes the time stamp "yyyymmddhhnnss".
std::string NameFromProfile(std::string_view text, std::string_view firstLabel, const std::tm& now);
std::string TimestampName(const std::tm& now);

// The message when the folder for a new name cannot be made.
std::string DuplicateFolderMessage(std::string_view firstLabel, std::string_view name);

// The profile as stored, with line ends normalised to CR LF; written safely.
void WriteProfileFile(const std::filesystem::path& path, std::string_view text);
// New site, coordinate or parcel data: creates the folder `parent`/`name` and writes its profile (the
// file for `level`) into it.  False, with nothing created, when the name is not valid or the folder
// exists (the caller shows DuplicateFolderMessage); a profile that cannot be written removes the new
// folder again and throws vemo::Error.
bool CreateFolderWithProfile(const std::filesystem::path& parent, std::string_view name, int level,
                             std::string_view profileText);

// The file's bytes; nothing when it does not exist ("Profile File が見つかりません").
std::optional<std::string> ReadProfileFile(const std::filesystem::path& path);

} // namespace vemo
