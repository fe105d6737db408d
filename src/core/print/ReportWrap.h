#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Columns of a report line that fit an A4 sheet in the report font: the width of the area report's
// rules (8 spaces and 84 dashes).
constexpr size_t kReportColumns = 92;

// CP932 text cut into lines of at most `columns` columns (one a byte in the fixed-pitch report font),
// each break after the last comma that fits, so a vertex list never has a name cut in two; a piece
// without a comma is cut at the last whole character.  Joined again, the lines give the text back.
std::vector<std::string> WrapAtCommas(std::string_view text, size_t columns = kReportColumns);

} // namespace vemo
