#include "core/surveymap/MarkerSymbol.h"

#include "core/gis/DxfCodePage.h"

#include "core/text/Cp932.h"

#include <algorithm>
#include <array>

namespace vemo::surveymap {

namespace {

constexpr std::array<std::pair<MarkerSymbol, std::string_view>, 8> kNames{{
    {MarkerSymbol::Plain, "Plain"},
    {MarkerSymbol::Square, "Square"},
    {MarkerSymbol::SquareCross, "SquareCross"},
    {MarkerSymbol::Circle, "Circle"},
    {MarkerSymbol::CircleDot, "CircleDot"},
    {MarkerSymbol::FilledCircle, "FilledCircle"},
    {MarkerSymbol::Triangle, "Triangle"},
    {MarkerSymbol::DoubleCircle, "DoubleCircle"},
}};

// The full-width forms of the half-width katakana U+FF61 .. U+FF9F, in code order.
constexpr std::u32string_view kFullWidth = U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナ"
                                           U"ニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// A voiced (゛) or semi-voiced (゜) mark joined to the kana before it where a combined form exists.
bool Combine(char32_t& kana, char32_t mark) {
    std::u32string_view voiceable = U"カキクケコサシスセソタチツテトハヒフヘホ";
    std::u32string_view semiVoiceable = U"ハヒフヘホ";
    if (mark == U'゛' && kana == U'ウ') {
        kana = U'ヴ';
    } else if (mark == U'゛' && voiceable.find(kana) != std::u32string_view::npos) {
        kana += 1; // ガ follows カ, ダ follows タ, バ follows ハ in the code
    } else if (mark == U'゜' && semiVoiceable.find(kana) != std::u32string_view::npos) {
        kana += 2; // パ two after ハ
    } else {
        return false;
    }
    return true;
}

} // namespace

std::string FullWidthKana(std::string_view cp932) {
    bool anyHalfWidth = false;
    for (size_t at = 0; at < cp932.size(); at += IsLeadByte(static_cast<unsigned char>(cp932[at])) ? 2 : 1) {
        unsigned char c = static_cast<unsigned char>(cp932[at]);
        anyHalfWidth = anyHalfWidth || (c >= 0xA1 && c <= 0xDF);
    }
    if (!anyHalfWidth) {
        return std::string(cp932);
    }
    // Through UTF-8, where half-width kana are U+FF61 .. U+FF9F.
    std::string utf8 = Cp932ToUtf8(cp932);
    std::u32string chars;
    for (size_t at = 0; at < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[at]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length && at + k < utf8.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3F);
        }
        at += length;
        if (code >= 0xFF61 && code <= 0xFF9F) {
            code = kFullWidth[code - 0xFF61];
            if ((code == U'゛' || code == U'゜') && !chars.empty() && Combine(chars.back(), code)) {
                continue;
            }
        }
        chars.push_back(code);
    }
    std::string out;
    for (char32_t c : chars) {
        out += gis::Utf8Of(c);
    }
    return Utf8ToCp932(out).value_or(std::string(cp932));
}

bool ContainsCharacters(std::string_view text, std::string_view part) {
    for (size_t at = 0; at + part.size() <= text.size();
         at += IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1) {
        if (text.compare(at, part.size(), part) == 0) {
            return true;
        }
    }
    return false;
}

std::string_view SymbolName(MarkerSymbol symbol) {
    return std::find_if(kNames.begin(), kNames.end(), [&](const auto& entry) { return entry.first == symbol; })->second;
}

bool ParseSymbolName(std::string_view name, MarkerSymbol& symbol) {
    auto found = std::find_if(kNames.begin(), kNames.end(), [&](const auto& entry) { return entry.second == name; });
    if (found == kNames.end()) {
        return false;
    }
    symbol = found->first;
    return true;
}

MarkerMapping DefaultMarkerMapping() {
    return {{Jp("コンクリート杭"), MarkerSymbol::Square}, {Jp("金属標"), MarkerSymbol::CircleDot},
            {Jp("石杭"), MarkerSymbol::SquareCross},      {Jp("プラスチック杭"), MarkerSymbol::Triangle},
            {Jp("鋲"), MarkerSymbol::FilledCircle},       {Jp("木杭"), MarkerSymbol::Circle}};
}

MarkerSymbol SymbolFor(const MarkerMapping& mapping, std::string_view kind) {
    if (kind.empty()) {
        return MarkerSymbol::Plain;
    }
    // ｺﾝｸﾘｰﾄ杭 as typed on a controller's keypad is the コンクリート杭 of the mapping.
    std::string wide = FullWidthKana(kind);
    for (const auto& [text, symbol] : mapping) {
        if (!text.empty() && ContainsCharacters(wide, FullWidthKana(text))) {
            return symbol;
        }
    }
    return MarkerSymbol::Plain;
}

} // namespace vemo::surveymap
