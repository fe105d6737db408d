#include "core/io/Utf8Text.h"

#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

namespace vemo {
namespace {

// The characters a Japanese coordinate file holds beyond ASCII: Latin-1 signs, general punctuation and
// symbols (℃, ①, ─, ■), CJK punctuation, kana and kanji, full-width and half-width forms.
bool IsJapaneseTextCharacter(char32_t c) {
    return (c >= 0xA0 && c <= 0xFF) || (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x30FF) ||
           (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x391 && c <= 0x3C9) || (c >= 0x401 && c <= 0x451); // Greek and Cyrillic of JIS X 0208
}

// The length of the UTF-8 sequence at `at` and its character, or 0 when the bytes are no such sequence
// (overlong forms and surrogates included).
size_t DecodeSequence(std::string_view bytes, size_t at, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > bytes.size()) {
        return 0;
    }
    c = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

bool IsUtf8Text(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return true;
    }
    bool multiByte = false;
    for (size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        char32_t c = 0;
        const size_t length = DecodeSequence(bytes, at, c);
        if (length == 0 || !IsJapaneseTextCharacter(c)) {
            return false;
        }
        multiByte = true;
        at += length;
    }
    return multiByte;
}

void RefuseUtf8Text(const std::filesystem::path& path, std::string_view bytes) {
    if (IsUtf8Text(bytes)) {
        throw Error(msg::SavedAsUtf8(MessagePath(path)));
    }
}

} // namespace vemo
