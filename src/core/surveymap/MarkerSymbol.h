#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vemo::surveymap {

// The symbols a boundary point is drawn with on the survey map.  Each marker kind (点種 text) maps
// to one; points whose kind maps to nothing are drawn as plain points (境界標なし).
enum class MarkerSymbol {
    Plain,        // a small dot: no marker
    Square,       // □
    SquareCross,  // ⊠
    Circle,       // ○
    CircleDot,    // ⊙
    FilledCircle, // ●
    Triangle,     // △
    DoubleCircle, // ◎: control points
};

// The names used in the site file ("Square", "CircleDot", ...).
std::string_view SymbolName(MarkerSymbol symbol);
bool ParseSymbolName(std::string_view name, MarkerSymbol& symbol);

// 点種 text (CP932) -> symbol.  A point's kind maps by its first entry that the kind text contains,
// so "コンクリート杭(新設)" is a concrete post too.
using MarkerMapping = std::vector<std::pair<std::string, MarkerSymbol>>;

// コンクリート杭 □, 金属標 ⊙, 石杭 ⊠, プラスチック杭 △, 鋲 ●, 木杭 ○.
MarkerMapping DefaultMarkerMapping();

// Whether CP932 `text` holds `part` starting on a character boundary (a byte-wise search could match
// the trail byte of one double-byte character and the lead byte of the next).
bool ContainsCharacters(std::string_view text, std::string_view part);

// The kind's symbol: half-width katakana count as their full-width forms on both sides (ｺﾝｸﾘｰﾄ杭 is
// コンクリート杭), so a kind typed either way maps alike.
MarkerSymbol SymbolFor(const MarkerMapping& mapping, std::string_view kindCp932);

// CP932 text with every half-width katakana as its full-width form, a voiced or semi-voiced mark joined
// to the kana before it (ｸﾞ -> グ, ﾎﾟ -> ポ); the rest as it stands.
std::string FullWidthKana(std::string_view cp932);

} // namespace vemo::surveymap
