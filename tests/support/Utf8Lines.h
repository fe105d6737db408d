#pragma once

#include "core/print/ReportLine.h"
#include "core/text/Cp932.h"

#include <string>
#include <vector>

namespace vemo::test {

// Listing and report lines (CP932) decoded for comparison with UTF-8 literals.
inline std::vector<std::string> Utf8(const std::vector<std::string>& lines) {
    std::vector<std::string> text;
    for (const std::string& line : lines) {
        text.push_back(Cp932ToUtf8(line));
    }
    return text;
}

inline std::vector<std::string> Utf8(const std::vector<ReportLine>& lines) {
    std::vector<std::string> text;
    for (const ReportLine& line : lines) {
        text.push_back(Cp932ToUtf8(line.text));
    }
    return text;
}

} // namespace vemo::test
