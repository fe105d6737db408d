#include "core/store/CommaList.h"

#include "core/text/Cp932.h"

namespace vemo {

namespace {

constexpr bool IsSeparatorBlank(unsigned char c) {
    return c >= 0x01 && c <= 0x20;
}
constexpr bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Only single-byte characters and lead bytes are looked at: the trail byte of a double-byte character
// is stepped over with its lead byte.  A lead byte that is not followed by a trail byte (broken data)
// does not hide the next byte, so a comma after it is still quoted and the item survives decoding.
bool NeedsQuotes(std::string_view item) {
    for (size_t i = 0; i < item.size(); ++i) {
        const auto c = static_cast<unsigned char>(item[i]);
        if (IsLeadByte(c) && i + 1 < item.size() && IsTrailByte(static_cast<unsigned char>(item[i + 1]))) {
            ++i;
        } else if (IsSeparatorBlank(c) || c == '"' || c == ',') {
            return true;
        }
    }
    return false;
}

void AppendQuoted(std::string& out, std::string_view item) {
    out += '"';
    for (const char c : item) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

// From the opening quote at `pos` to the matching closing quote; a doubled quote stands for one.  An
// unterminated item runs to the end of the text.
std::string ReadQuoted(std::string_view text, size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != '"') {
            item += c;
        } else if (pos < text.size() && text[pos] == '"') {
            item += '"';
            ++pos;
        } else {
            break;
        }
    }
    return item;
}

void SkipBlanks(std::string_view text, size_t& pos) {
    while (pos < text.size() && IsSeparatorBlank(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
}

} // namespace

std::string EncodeCommaList(const std::vector<std::string>& items) {
    if (items.size() == 1 && items[0].empty()) {
        return "\"\"";
    }
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        if (NeedsQuotes(items[i])) {
            AppendQuoted(out, items[i]);
        } else {
            out += items[i];
        }
    }
    return out;
}

std::vector<std::string> DecodeCommaList(std::string_view text) {
    // The text ends at a NUL byte, as it always has for this format.
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> items;
    size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == '"') {
            items.push_back(ReadQuoted(text, pos));
        } else {
            const size_t start = pos;
            while (pos < text.size() && static_cast<unsigned char>(text[pos]) > 0x20 && text[pos] != ',') {
                ++pos;
            }
            items.emplace_back(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return items;
}

} // namespace vemo
