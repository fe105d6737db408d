#pragma once

#include "core/settings/IniDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Several keys written with one open and close of the file (the main window's close writes nine).
class IniBatch {
public:
    IniBatch& String(std::string_view section, std::string_view key, std::string_view value);
    IniBatch& Integer(std::string_view section, std::string_view key, int value);
    IniBatch& Bool(std::string_view section, std::string_view key, bool value); // "1" / "0"

    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

// An initialisation file on disk (Windows syntax, CP932).  Every call opens the file, reads or writes
// and closes it again; nothing is cached, so a value another program wrote in between is seen.
//
// Reading a missing file gives the defaults.  Writing replaces the file through a
// temporary file in the same folder renamed over it, so a full disk or a crash in the middle never
// leaves a truncated settings file; a failure throws vemo::Error with a Japanese message and the old
// file stays as it was.  Writing creates the file when missing.  Colours are plain integers
// (blue * 65536 + green * 256 + red).
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The whole file read once, for reading many keys in one open and close.  Missing file: empty.
    // A file that exists but cannot be read throws vemo::Error.
    IniDocument Load() const;

    // Single reads give the default also when the file cannot be read.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void Write(const IniBatch& batch);
    // Writing refuses (vemo::Error) a file that exists but cannot be read: rewriting it would lose
    // every other key.

private:
    std::string path_;
};

} // namespace vemo
