#pragma once

#include <string>
#include <string_view>

namespace vemo {

// Replaces the whole content of a file (creating it when missing) so that it is either the old or the
// new content, never a truncated mix: the bytes go to a temporary file in the same folder, which is
// flushed to disk and then renamed over the target.  The target's permissions are kept and a symbolic
// link is followed.  Throws vemo::Error "ファイル「<path>」に書き込めません（<reason>）" when the
// folder cannot be written, the disk is full or the rename fails; the old file is then untouched and
// no temporary file is left behind.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// Whole file as bytes: nothing when the file does not exist; throws vemo::Error
// "ファイル「<path>」を読めません" when it exists but cannot be read.
std::string ReadFileIfExists(const std::string& path);

} // namespace vemo
