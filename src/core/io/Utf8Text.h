#pragma once

#include <filesystem>
#include <string_view>

namespace vemo {

// Whether a file that should be CP932 was saved as UTF-8 (as an editor of this system saves it): it
// begins with the UTF-8 byte order mark, or it holds multi-byte UTF-8 sequences, every one of them valid
// and standing for the characters coordinate files hold (kana, kanji, full-width forms, punctuation and
// symbols).  CP932 Japanese text almost never forms such sequences: its trail bytes break them.
bool IsUtf8Text(std::string_view bytes);

// Refuses such a file before it is read as CP932 (which would store mojibake): throws vemo::Error
// "ファイル「<file>」は UTF-8 で保存されています（Shift-JIS で保存し直してください）".
void RefuseUtf8Text(const std::filesystem::path& path, std::string_view bytes);

} // namespace vemo
