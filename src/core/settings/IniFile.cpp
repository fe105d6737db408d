#include "core/settings/IniFile.h"

#include "core/io/BoundedRead.h"
#include "core/io/SafeReplace.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

namespace vemo {

namespace {

// A settings file is a few kilobytes; anything near this is not one.
constexpr std::uintmax_t kMaxIniFileBytes = 4u << 20;

// Whole file as bytes: nothing when the file does not exist.  A file that may be there but cannot be
// read (a folder without access, a FIFO) is not "missing": treating it so would let a write replace
// it with only the keys being written.
std::string ReadIniBytes(const std::string& path) {
    ReadResult read = ReadBoundedFile(path, kMaxIniFileBytes);
    if (read.bytes) {
        return std::move(*read.bytes);
    }
    if (read.failure == ReadFailure::Missing) {
        return {};
    }
    throw Error(msg::CannotRead(MessagePath(path)));
}

} // namespace

IniBatch& IniBatch::String(std::string_view section, std::string_view key, std::string_view value) {
    entries_.push_back({std::string(section), std::string(key), std::string(value)});
    return *this;
}

IniBatch& IniBatch::Integer(std::string_view section, std::string_view key, int value) {
    return String(section, key, std::to_string(value));
}

IniBatch& IniBatch::Bool(std::string_view section, std::string_view key, bool value) {
    return String(section, key, value ? "1" : "0");
}

IniDocument IniFile::Load() const {
    return IniDocument(ReadIniBytes(path_));
}

namespace {

// A single read keeps going with the defaults when the file cannot be read, like the platform's
// reader; start-up, which must tell the user, reads through Load() instead.
IniDocument LoadOrEmpty(const IniFile& file) {
    try {
        return file.Load();
    } catch (const Error&) {
        return IniDocument();
    }
}

} // namespace

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    return LoadOrEmpty(*this).ReadString(section, key, def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return LoadOrEmpty(*this).ReadInteger(section, key, def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return LoadOrEmpty(*this).ReadBool(section, key, def);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Write(IniBatch().String(section, key, value));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    Write(IniBatch().Integer(section, key, value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    Write(IniBatch().Bool(section, key, value));
}

void IniFile::Write(const IniBatch& batch) {
    IniDocument document = Load();
    std::string before = document.Bytes();
    for (const auto& entry : batch.Entries()) {
        document.Write(entry.section, entry.key, entry.value);
    }
    if (document.Bytes() != before || before.empty()) {
        const std::string bytes = document.Bytes();
        ReplaceFile({path_, bytes, {}});
    }
}

} // namespace vemo
