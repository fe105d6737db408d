#include "core/files/Utf8Repair.h"

namespace vemo {

namespace {

constexpr std::string_view kGeta = "\xE3\x80\x93"; // U+3013 〓

bool Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 character at the start of `s` (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF), 0 when it is malformed, or -1 when `s` ends inside a character
// that could still be well-formed.
int CharacterLength(std::string_view s) {
    const auto c = static_cast<unsigned char>(s[0]);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= s.size()) {
            return -1;
        }
        const auto next = static_cast<unsigned char>(s[i]);
        if (i == 1 ? (next < low || next > high) : !Continuation(next)) {
            return 0;
        }
    }
    // U+FFFE and U+FFFF are not characters XML allows.
    if (length == 3 && c == 0xEF && static_cast<unsigned char>(s[1]) == 0xBF &&
        static_cast<unsigned char>(s[2]) >= 0xBE) {
        return 0;
    }
    return length;
}

} // namespace

void Utf8Repair::Repair(std::string& out) {
    out += kGeta;
    ++repairs_;
    if (repairedLines_.empty() || repairedLines_.back() != line_) {
        repairedLines_.push_back(line_);
    }
}

void Utf8Repair::Feed(std::string_view bytes, bool last, std::string& out) {
    std::string joined;
    if (!pending_.empty()) {
        joined = pending_ + std::string(bytes);
        pending_.clear();
        bytes = joined;
    }
    out.reserve(out.size() + bytes.size());
    std::size_t i = 0;
    std::size_t plainStart = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x80) {
            ++i;
            continue;
        }
        if (c == '\n') {
            ++line_;
            ++i;
            continue;
        }
        if (c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        // 0x7F is allowed by XML but is no text a registry file means to hold.
        const int length = c < 0x20 || c == 0x7F ? 0 : CharacterLength(bytes.substr(i));
        if (length > 0) {
            i += static_cast<std::size_t>(length);
            continue;
        }
        out.append(bytes.substr(plainStart, i - plainStart));
        if (length < 0 && !last) {
            pending_.assign(bytes.substr(i));
            return;
        }
        Repair(out);
        plainStart = ++i;
    }
    out.append(bytes.substr(plainStart));
}

} // namespace vemo
