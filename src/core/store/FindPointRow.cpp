#include "core/store/Store.h"

#include <algorithm>

namespace vemo {

namespace {

enum class Match { Exact, Prefix, Anywhere, Nothing };

// The search box takes "点名" (exact), "点名*" (starts with) and "*点名*" (contains).  A leading
// asterisk alone ("*点名") is not a form the search offers, and matches nothing.  A trail byte is never
// 0x2A, so the asterisks cannot be half of a double-byte character.
Match ParsePattern(std::string_view& pattern) {
    const bool leading = pattern.starts_with('*');
    if (leading) {
        pattern.remove_prefix(1);
    }
    const bool trailing = pattern.ends_with('*');
    if (trailing) {
        pattern.remove_suffix(1);
    }
    if (leading && !trailing) {
        return Match::Nothing;
    }
    if (pattern.empty()) {
        return Match::Nothing; // "*" or "**": nothing was asked for
    }
    if (leading) {
        return Match::Anywhere;
    }
    return trailing ? Match::Prefix : Match::Exact;
}

bool Matches(const std::string& name, Match match, std::string_view pattern) {
    switch (match) {
    case Match::Exact:
        return name == pattern;
    case Match::Prefix:
        return name.starts_with(pattern);
    case Match::Anywhere:
        return name.find(pattern) != std::string::npos; // byte-wise, may start on a trail byte
    case Match::Nothing:
        break;
    }
    return false;
}

// The first row in the order of the mode whose name matches; 0 when none does.
int SearchRows(const XyzList& list, int mode, Match match, std::string_view pattern, int currentRow) {
    const int last = list.RowCount() - 1;
    int row = 1;
    int step = 1;
    if (mode == 1) {
        row = std::max(currentRow + 1, 1);
    } else if (mode == 2) {
        row = std::min(currentRow - 1, last);
        step = -1;
    } else if (mode != 0) {
        return 0;
    }
    for (; row >= 1 && row <= last; row += step) {
        if (Matches(list.Cell(row, kColName), match, pattern)) {
            return row;
        }
    }
    return 0;
}

} // namespace

int FindPointRow(const XyzList& list, int mode, std::string_view pattern, int currentRow) {
    const Match match = ParsePattern(pattern);
    if (match == Match::Nothing) {
        return 0;
    }
    return SearchRows(list, mode, match, pattern, currentRow);
}

int FindNameRow(const XyzList& list, std::string_view name) {
    return SearchRows(list, 0, Match::Exact, name, 0);
}

} // namespace vemo
