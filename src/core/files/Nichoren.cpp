#include "core/files/Nichoren.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

// Files from MS-DOS era programs end with the end-of-file mark 0x1A; nothing after it is data.
std::string_view BeforeEndMark(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\x1a'));
}

} // namespace

ForeignData ParseNichorenText(std::string_view whole) {
    ForeignData data;
    std::string_view bytes = BeforeEndMark(whole);
    std::vector<std::string_view> lines = SplitLines(bytes, kMaxPointRows);
    if (lines.size() > static_cast<size_t>(kMaxPointRows)) {
        ThrowTooManyPoints();
    }
    data.rows.reserve(lines.size());
    std::string buffer;
    std::vector<std::string> items;
    for (size_t i = 0; i < lines.size(); ++i) {
        ExchangeItems(lines[i], buffer, items);
        if (items.empty()) {
            continue; // a blank line separates nothing and holds no point
        }
        if (items.size() < 4) {
            ThrowShortLine("日調連ファイル", i + 1);
        }
        std::string_view z = items.size() == 5 ? std::string_view(items[4]) : std::string_view();
        data.rows.push_back(ExchangeRow(ExchangeName(items[1], items[0]), items[2], items[3], z));
    }
    return data;
}

ForeignData ReadNichorenFile(const std::filesystem::path& path) {
    return ParseNichorenText(ReadExchangeFile(path));
}

std::string FormatNichorenText(const std::vector<ExportPoint>& points) {
    std::string text;
    text.reserve(points.size() * 72);
    for (const ExportPoint& point : points) {
        text += Sprintf("%5d,", point.number);
        AppendLeft(text, point.name, 15);
        text += Sprintf(",%15.6f,%15.6f,%15.6f\r\n", point.x, point.y, point.z);
    }
    return text;
}

void WriteNichorenFile(const std::filesystem::path& path, const std::vector<ExportPoint>& points) {
    WriteFileAtomic(path, FormatNichorenText(points), false);
}

} // namespace vemo
