#include "core/files/FileIo.h"

#include "core/io/BoundedRead.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

namespace vemo {
namespace fs = std::filesystem;

fs::path FsName(std::string_view cp932Name) {
    return fs::path(Cp932ToUtf8(cp932Name));
}

std::optional<std::string> Cp932Name(const fs::path& fileName) {
    return Utf8ToCp932(fileName.string());
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    return ReadBoundedFile(path, kMaxInputFileBytes).bytes;
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

void WriteFileAtomic(const fs::path& path, std::string_view bytes, bool backup) {
    ReplaceFile({path, bytes, backup ? BackupPath(path) : fs::path()});
}

void WriteFilesAtomic(const std::vector<DataFileWrite>& files, bool backup) {
    std::vector<FileReplacement> replacements;
    for (const DataFileWrite& file : files) {
        replacements.push_back({file.path, file.bytes, backup ? BackupPath(file.path) : fs::path()});
    }
    ReplaceFiles(replacements);
}

} // namespace vemo
