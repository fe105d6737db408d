#include "core/text/Bytes.h"

#include "core/text/Cp932.h"

namespace vemo {

DigitRun SplitTrailingDigits(std::string_view name) {
    size_t start = name.size();
    while (start > 0 && IsAsciiDigit(name[start - 1])) {
        --start;
    }
    return {name.substr(0, start), name.substr(start)};
}

std::string_view TrimView(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(static_cast<unsigned char>(text[first]))) {
        ++first;
    }
    size_t last = text.size();
    while (last > first && IsBlank(static_cast<unsigned char>(text[last - 1]))) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::string TrimLeft(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(static_cast<unsigned char>(text[first]))) {
        ++first;
    }
    return std::string(text.substr(first));
}

std::string TrimRight(std::string_view text) {
    size_t last = text.size();
    while (last > 0 && IsBlank(static_cast<unsigned char>(text[last - 1]))) {
        --last;
    }
    return std::string(text.substr(0, last));
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c)) {
            ++i; // skip the trail byte, which may look like a lower-case letter
        } else if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') {
            x = static_cast<unsigned char>(x - 'a' + 'A');
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<unsigned char>(y - 'a' + 'A');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string_view Extension(std::string_view fileName) {
    size_t slash = fileName.find_last_of("/\\");
    size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    return fileName.substr(dot);
}

namespace {

bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Half-width katakana and the printable ASCII stand for themselves.
bool IsPrintableSingle(unsigned char c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF);
}

void AppendEscaped(std::string& out, unsigned char c) {
    static const char* const kHex = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

} // namespace

std::string CutBytes(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + width > maxBytes) {
            break;
        }
        end += width;
    }
    return std::string(text.substr(0, end));
}

std::string Excerpt(std::string_view field, size_t maxBytes) {
    std::string out;
    size_t i = 0;
    while (i < field.size() && out.size() < maxBytes) {
        const auto c = static_cast<unsigned char>(field[i]);
        if (IsLeadByte(c) && i + 1 < field.size() && IsTrailByte(static_cast<unsigned char>(field[i + 1]))) {
            out.append(field.substr(i, 2));
            i += 2;
        } else {
            if (IsPrintableSingle(c)) {
                out += static_cast<char>(c);
            } else {
                AppendEscaped(out, c);
            }
            ++i;
        }
    }
    if (i < field.size()) {
        out += "\x81\x63"; // "…" in CP932
    }
    return out;
}

} // namespace vemo
