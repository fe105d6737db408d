#pragma once

#include "core/text/Error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vemo {

// Reading a whole input file without letting the file decide what that costs: only a regular file is
// read (a FIFO would block forever, a device such as /dev/zero never ends), and a file over the
// reader's limit is refused before its bytes are taken in, checked again while reading in case it grows.
enum class ReadFailure {
    Missing,    // no such file
    Unreadable, // a folder, a FIFO, a device, no permission, an I/O error
};

struct ReadResult {
    std::optional<std::string> bytes;
    ReadFailure failure = ReadFailure::Missing;
};

// The bytes, or why not.  A regular file over maxBytes throws vemo::Error
// "ファイル「<file>」は大きすぎるため読み込めません（上限 <n> バイト）".
ReadResult ReadBoundedFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The refusal above, for readers that learn the size their own way.
[[noreturn]] void ThrowFileTooLarge(const std::filesystem::path& path, std::uintmax_t maxBytes);

// "ファイル「<file>」: " in front of a message about the content of a file.
std::string FilePrefix(const std::filesystem::path& path);

// Runs a reader over the bytes of a file; a refusal names the file, so that the surveyor knows which
// of several files to mend.
template <class Read> auto InFile(const std::filesystem::path& path, Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const Error& error) {
        throw Error(FilePrefix(path) + error.what());
    }
}

} // namespace vemo
