#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Published registry map files are UTF-8 XML, but some carry a stray byte or a control character in the
// middle of a text (a 大字名 cut in two by an old conversion).  An XML parser stops at the first one and
// would lose the rest of a city's file, so the text is repaired on the way in: every byte sequence that
// is not a well-formed UTF-8 character, and every character XML 1.0 does not allow, becomes U+3013 (〓,
// the mark Japanese printing uses for a character that cannot be shown).  Line ends are never touched,
// so line numbers stay those of the file.
class Utf8Repair {
public:
    // Appends the repaired form of `bytes` to `out`.  A character cut at the end of `bytes` is held back
    // for the next call; `last` says that no call follows, and a cut character is then repaired too.
    void Feed(std::string_view bytes, bool last, std::string& out);

    // The lines (1-based) where something was repaired, each once, in file order.
    const std::vector<std::size_t>& RepairedLines() const { return repairedLines_; }
    std::size_t RepairCount() const { return repairs_; }

private:
    void Repair(std::string& out);

    std::string pending_;
    std::size_t line_ = 1;
    std::size_t repairs_ = 0;
    std::vector<std::size_t> repairedLines_;
};

} // namespace vemo
