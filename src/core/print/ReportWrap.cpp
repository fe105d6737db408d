#include "core/print/ReportWrap.h"

#include "core/text/Bytes.h"

namespace vemo {

std::vector<std::string> WrapAtCommas(std::string_view text, size_t columns) {
    std::vector<std::string> lines;
    while (text.size() > columns) {
        std::string piece = CutBytes(text, columns); // a CP932 trail byte is never ',' (0x2C)
        size_t comma = piece.rfind(',');
        if (comma != std::string::npos) {
            piece.resize(comma + 1);
        } else if (piece.empty()) {
            piece = std::string(text.substr(0, 2)); // fewer columns than one double-byte character
        }
        text.remove_prefix(piece.size());
        lines.push_back(std::move(piece));
    }
    lines.emplace_back(text);
    return lines;
}

} // namespace vemo
