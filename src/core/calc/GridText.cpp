#include "core/calc/GridText.h"

#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"

#include <fstream>

namespace vemo {

namespace {

const char* const kHeadingUtf8 = "       点名        距離     方向角        夾角  ";
const char* const kPrintHeadingUtf8 = "            点名        距離     方向角        夾角  ";

size_t LastNameRow(const std::vector<GridRowText>& rows) {
    size_t last = 0;
    for (size_t row = 1; row < rows.size(); ++row) {
        if (!rows[row][1].empty()) {
            last = row;
        }
    }
    return last;
}

std::string RowLine(const char* format, const GridRowText& row) {
    return Sprintf(format, row[0].c_str(), row[1].c_str(), row[2].c_str(), row[3].c_str(), row[4].c_str());
}

} // namespace

std::vector<std::string> GridCopyLines(const std::vector<GridRowText>& rows) {
    std::vector<std::string> lines{Jp(kHeadingUtf8)};
    const size_t last = LastNameRow(rows);
    for (size_t row = 1; row <= last; ++row) {
        lines.push_back(RowLine("%4s  %-10s%8s%12s%12s", rows[row]));
    }
    return lines;
}

std::vector<std::string> GridPrintLines(const std::vector<GridRowText>& rows) {
    std::vector<std::string> lines{"", "", "", Jp(kPrintHeadingUtf8)};
    const size_t last = LastNameRow(rows);
    for (size_t row = 1; row <= last; ++row) {
        lines.emplace_back();
        lines.push_back(RowLine("     %4s  %-10s%8s%12s%12s", rows[row]));
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void WriteResultTxt(const std::filesystem::path& path, const std::vector<std::string>& copyLines, bool append) {
    std::vector<std::string> lines = copyLines;
    if (append && !lines.empty()) {
        lines.erase(lines.begin());
    }
    const std::string bytes = JoinCrLf(lines);
    if (!append) {
        // A new output replaces the file whole: a failed write keeps the results written before.
        ReplaceFile({path, bytes, {}});
        return;
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        throw Error(msg::CannotOpenOutputFile());
    }
}

} // namespace vemo
