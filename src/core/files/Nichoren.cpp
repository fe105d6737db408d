#include "core/files/Nichoren.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/io/BoundedRead.h"
#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/MessagesReading.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {

namespace {

// Every line opens with the point's number.  A list of "name,X,Y,Z" (another program's CSV) would
// otherwise read with its columns shifted: the name taken for the number, X for the name.
void RequirePointNumber(const std::string& field) {
    const bool digits =
        !field.empty() && std::all_of(field.begin(), field.end(), [](char c) { return IsAsciiDigit(c); });
    if (!digits) {
        throw FieldError(msg::NichorenNumberInvalid(Excerpt(field)));
    }
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
        AtLine(i + 1, [&] {
            ExchangeItems(lines[i], buffer, items);
            if (items.empty()) {
                return; // a blank line separates nothing and holds no point
            }
            if (items.size() < 4) {
                ThrowShortLine("日調連ファイル", i + 1);
            }
            std::string_view z = items.size() == 5 ? std::string_view(items[4]) : std::string_view();
            RequirePointNumber(items[0]);
            data.rows.push_back(ExchangeRow(ExchangeName(items[1], items[0]), items[2], items[3], z));
        });
    }
    return data;
}

ForeignData ReadNichorenFile(const std::filesystem::path& path) {
    const std::string bytes = ReadExchangeFile(path);
    ForeignData data = InFile(path, [&] { return ParseNichorenText(bytes); });
    RequireRecords(path, data, !data.rows.empty(), "日調連ファイル");
    return data;
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
