#include "core/surveymap/MarkerSymbol.h"

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

} // namespace

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
    for (const auto& [text, symbol] : mapping) {
        if (!text.empty() && ContainsCharacters(kind, text)) {
            return symbol;
        }
    }
    return MarkerSymbol::Plain;
}

} // namespace vemo::surveymap
