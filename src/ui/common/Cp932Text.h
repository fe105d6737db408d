#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The window layer speaks UTF-16 (QString); the data and every message of the core are CP932 bytes.
// Text crosses between the two only here.

// CP932 for display: bytes that are not valid CP932 show as U+FFFD (the data keeps its bytes).
QString FromCp932(std::string_view cp932);

// Text typed or shown in a widget as CP932, or nothing when a character has no CP932 form (an emoji).
std::optional<std::string> ToCp932(const QString& text);

// File names cross here too: a name from a file dialog or the command line as the path the system
// opens, and a path as shown.
std::filesystem::path NativePath(const QString& fileName);
QString PathText(const std::filesystem::path& path);

// The same, for text that must go into the data: a character without CP932 form stops the command
// with vemo::Error "Shift-JISで表せない文字が含まれています".
std::string ToCp932OrThrow(const QString& text);

} // namespace vemo
