#include "core/gis/DxfCodePage.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <charconv>
#include <optional>

namespace vemo::gis {
namespace {

// "\U+70b9" at `at`: the code point.
std::optional<char32_t> EscapeAt(std::string_view value, size_t at) {
    if (value.substr(at, 3) != "\\U+" || value.size() < at + 7) {
        return std::nullopt;
    }
    unsigned code = 0;
    const char* first = value.data() + at + 3;
    auto [end, error] = std::from_chars(first, first + 4, code, 16);
    if (error != std::errc() || end != first + 4) {
        return std::nullopt;
    }
    return static_cast<char32_t>(code);
}

std::string RecodeCharacter(char32_t c) {
    if (std::optional<std::string> cp932 = Utf8ToCp932(Utf8Of(c))) {
        return *cp932;
    }
    return Sprintf("\\U+%04X", static_cast<unsigned>(c));
}

std::string RecodeValue(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size();) {
        unsigned char byte = static_cast<unsigned char>(value[i]);
        if (value.substr(i, 2) == "\\\\") {
            out += value.substr(i, 2);
            i += 2;
        } else if (std::optional<char32_t> escaped = EscapeAt(value, i)) {
            out += RecodeCharacter(*escaped);
            i += 7;
        } else if (byte >= 0x80) { // a Latin-1 character written as its raw byte
            out += RecodeCharacter(byte);
            ++i;
        } else {
            out += value[i++];
        }
    }
    return out;
}

bool NeedsRecoding(std::string_view value) {
    for (char c : value) {
        if (c == '\\' || static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string Utf8Of(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string RecodeDxfTextsToCp932(std::string_view dxf) {
    std::string out;
    out.reserve(dxf.size());
    bool textValueNext = false;
    bool isCodeLine = true;
    for (size_t start = 0; start < dxf.size();) {
        size_t end = dxf.find('\n', start);
        size_t next = end == std::string_view::npos ? dxf.size() : end + 1;
        std::string_view line = dxf.substr(start, next - start);
        if (!isCodeLine && textValueNext && NeedsRecoding(line)) {
            size_t body = line.find_last_not_of("\r\n") + 1;
            out += RecodeValue(line.substr(0, body));
            out += line.substr(body);
        } else {
            out += line;
        }
        textValueNext = isCodeLine && TrimView(line) == "1";
        isCodeLine = !isCodeLine;
        start = next;
    }
    return out;
}

} // namespace vemo::gis
