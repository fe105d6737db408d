#include "core/files/FileIo.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <cstdio>
#include <system_error>
#include <unistd.h>

namespace vemo {
namespace fs = std::filesystem;

fs::path FsName(std::string_view cp932Name) {
    return fs::path(Cp932ToUtf8(cp932Name));
}

std::optional<std::string> Cp932Name(const fs::path& fileName) {
    return Utf8ToCp932(fileName.string());
}

std::string MessagePath(const fs::path& path) {
    if (auto text = Utf8ToCp932(path.string())) {
        return *text;
    }
    std::string ascii = path.string();
    for (char& c : ascii) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            c = '?';
        }
    }
    return ascii;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    if (auto size = fs::file_size(path, ec); !ec) {
        if (size > kMaxInputFileBytes) {
            std::fclose(file);
            throw Error(msg::TooLargeToRead(MessagePath(path.filename())));
        }
        bytes.reserve(static_cast<size_t>(size));
    }
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return bytes;
}

bool LineCursor::Next(std::string_view& line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    // A plain loop: find_first_of tests every byte against the set with a library call.
    size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') {
        ++end;
    }
    line = text_.substr(pos_, end - pos_);
    pos_ = end + (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n' ? 2 : 1);
    ++lineNo_;
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text, size_t maxLines) {
    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    std::string_view line;
    while (lines.size() <= maxLines && cursor.Next(line)) {
        lines.push_back(line);
    }
    return lines;
}

fs::path BackupPath(const fs::path& dataFile) {
    fs::path bak = dataFile;
    bak.replace_extension(".Bak");
    return bak;
}

namespace {

// Writes the bytes to a new file and forces them to disk, so that the rename that follows can only
// ever expose a complete file.
void WriteNewFile(const fs::path& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw Error(msg::CannotOpenOutputFile());
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(::fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::error_code ignored;
        fs::remove(path, ignored);
        throw Error(msg::CannotWrite(MessagePath(path.filename())));
    }
}

// Moves the current file to its ".Bak" (dropping an older one).  Returns whether a backup was made.
bool MoveToBackup(const fs::path& target, const fs::path& temp) {
    std::error_code ec;
    if (!fs::exists(target, ec)) {
        return false;
    }
    fs::path bak = BackupPath(target);
    fs::remove(bak, ec);
    if (!ec) {
        fs::rename(target, bak, ec);
    }
    if (ec) {
        fs::remove(temp, ec);
        throw Error(msg::CannotCreate(MessagePath(bak.filename())));
    }
    return true;
}

} // namespace

void WriteFileAtomic(const fs::path& path, std::string_view bytes, bool backup) {
    if (path.empty()) {
        throw Error(msg::CannotOpenOutputFile());
    }
    fs::path temp = path;
    temp += ".tmp~";
    WriteNewFile(temp, bytes);
    bool backedUp = backup && MoveToBackup(path, temp);
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        if (backedUp) {
            fs::rename(BackupPath(path), path, ignored);
        }
        throw Error(msg::CannotOpenOutputFile());
    }
}

} // namespace vemo
