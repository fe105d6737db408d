#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The text of an initialisation file held in memory: "[Section]" header lines and "key=value" entry
// lines, CP932 bytes.  Section and key names match without regard to ASCII case; blanks around names
// and values are not part of them.  The first section of a name and the first key of a name within it
// are the ones that count, as with the platform's own reader.  Editing a key changes only that key's
// line (or adds one), so comments, unknown keys, the order and the line endings other tools or the
// user left in the file survive byte for byte.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    // The value as written (trimmed), or nothing when the section or key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Text: the value, or the default when the key is missing (a present but empty value is empty).
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Integer: decimal or "$" hexadecimal; missing or not an integer gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // Boolean: read as an integer, non-zero is true; a word such as "yes" gives the default.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Replaces the value of an existing key in place, keeping the key's spelling, the spacing up to the
    // value and the line ending; a missing key is added (CR LF) after the last line of its section, a
    // missing section at the end.  Throws vemo::Error for a value holding a line break (it would split
    // the entry and plant other keys) and std::invalid_argument for a malformed section or key name.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Bytes() const { return bytes_; }

private:
    struct Line {
        size_t begin = 0; // first byte of the line
        size_t end = 0;   // one past the last content byte (before CR LF / LF)
        size_t next = 0;  // first byte of the next line
    };
    struct KeyHit {
        size_t valueBegin = 0; // where the value starts (after "=" and the blanks after it)
        size_t valueEnd = 0;   // end of the line's content
    };

    std::vector<Line> SplitLines() const;
    // Index of the first line of the body of the section (after its header), or nothing.
    std::optional<size_t> FindSection(const std::vector<Line>& lines, std::string_view section) const;
    std::optional<KeyHit> FindKey(const std::vector<Line>& lines, size_t first, std::string_view key) const;
    void Append(size_t position, std::string_view text);
    // Completes the line ending before `lineNext` when the file ends without one; returns the bytes added.
    size_t EndWithLineBreak(size_t lineNext);

    std::string bytes_;
};

} // namespace vemo
