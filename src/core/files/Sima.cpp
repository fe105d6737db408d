#include "core/files/Sima.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/io/BoundedRead.h"
#include "core/store/CommaList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr const char* kKind = "SIMAファイル";
constexpr int kClosedParcel = 1;

// The parcel being read between D00 and D99.
struct OpenParcel {
    bool active = false;
    bool closed = false;
    std::vector<std::string> vertices;
};

class SimaReader {
public:
    // Room for the points at the size of a point record as this system writes it.
    explicit SimaReader(size_t bytes) { data_.rows.reserve(std::min(bytes / 64, static_cast<size_t>(kMaxPointRows))); }
    void Line(std::string_view line, size_t lineNo);
    ForeignData Finish();

private:
    void Need(const std::vector<std::string>& items, size_t count, size_t lineNo) const {
        if (items.size() < count) {
            ThrowShortLine(kKind, lineNo);
        }
    }
    void EndParcel();

    ForeignData data_;
    OpenParcel parcel_;
    std::string buffer_;
    std::vector<std::string> items_;
};

void SimaReader::Line(std::string_view line, size_t lineNo) {
    std::vector<std::string>& items = items_;
    ExchangeItems(line, buffer_, items);
    if (items.empty()) {
        return;
    }
    const std::string& code = items[0];
    if (code == "A01") {
        // Many programs write plane points without the Z field: Z is then 0.
        Need(items, 5, lineNo);
        if (data_.rows.size() == static_cast<size_t>(kMaxPointRows)) {
            ThrowTooManyPoints();
        }
        std::string_view z = items.size() > 5 ? std::string_view(items[5]) : std::string_view();
        data_.rows.push_back(ExchangeRow(ExchangeName(items[2], items[1]), items[3], items[4], z));
    } else if (code == "D00") {
        Need(items, 3, lineNo);
        EndParcel();
        if (data_.blocks.size() == static_cast<size_t>(kMaxBlocks)) {
            throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Load));
        }
        // A parcel record without its closure code is a lot boundary, which is closed.
        int closure = items.size() > 3 && !items[3].empty() ? StrToInt(items[3]) : kClosedParcel;
        data_.blocks.push_back(Block{ExchangeName(items[2], items[1], "画地名"), "", 0, 0, 0});
        parcel_ = OpenParcel{true, closure == kClosedParcel, {}};
    } else if (code == "B01" && parcel_.active) {
        Need(items, 3, lineNo);
        parcel_.vertices.push_back(ExchangeName(items[2], items[1]));
    } else if (code == "D99") {
        EndParcel();
    }
}

// A closed ring repeats its first vertex at the end; the vertex editor takes one row per vertex, one
// for the closing vertex of a closed ring and one empty row to continue typing.
void SimaReader::EndParcel() {
    if (!parcel_.active) {
        return;
    }
    Block& block = data_.blocks.back();
    int count = static_cast<int>(parcel_.vertices.size());
    if (parcel_.closed) {
        if (count > 0) {
            parcel_.vertices.push_back(parcel_.vertices.front());
        }
        block.NoRowCount = count + 2;
    } else {
        block.NoRowCount = count + 1;
    }
    block.NoList = EncodeCommaList(parcel_.vertices);
    parcel_ = OpenParcel{};
}

ForeignData SimaReader::Finish() {
    EndParcel();
    return std::move(data_);
}

void AppendNumber(std::string& out, const char* format, double value) {
    out += Sprintf(format, value);
}

void AppendParcels(std::string& text, const SimaNames& names, const std::vector<ExportParcel>& parcels) {
    text += Jp("Z00,/*　画地　*/,\r\n");
    text += "Z00,/*  " + names.blkName + "  */,\r\n";
    for (size_t p = 0; p < parcels.size(); ++p) {
        text += Sprintf("D00,%5d,", static_cast<int>(p) + 1) + parcels[p].name + ",1,\r\n";
        for (const ExportVertex& vertex : parcels[p].vertices) {
            text += Sprintf("B01,%5d,", vertex.number);
            AppendLeft(text, vertex.name, 12);
            text += ",\r\n";
        }
        text += "D99,\r\n";
    }
}

} // namespace

ForeignData ParseSimaText(std::string_view whole) {
    const std::string_view bytes = BeforeEndMark(whole);
    SimaReader reader(bytes.size());
    LineCursor cursor(bytes);
    std::string_view line;
    while (cursor.Next(line)) {
        AtLine(cursor.LineNo(), [&] { reader.Line(line, cursor.LineNo()); });
    }
    return reader.Finish();
}

ForeignData ReadSimaFile(const std::filesystem::path& path) {
    const std::string bytes = ReadExchangeFile(path);
    // Some other file (an image, a text) is said to be no SIMA file, not refused at its first odd line.
    const bool recognised = HasSimaRecord(bytes);
    RequireRecords(path, {}, recognised, kKind);
    ForeignData data = InFile(path, [&] { return ParseSimaText(bytes); });
    RequireRecords(path, data, recognised, kKind);
    return data;
}

std::string FormatSimaText(const SimaNames& names, const std::vector<ExportPoint>& points,
                           const std::vector<ExportParcel>* parcels) {
    std::string text;
    text.reserve(points.size() * 80 + 256);
    text += "G00,01,SIMA " + names.caseName + ",\r\n";
    text += Jp("Z00,/*　座標　*/,\r\n");
    text += "Z00,/*  " + names.xyzName + "  */,\r\n";
    text += "A00,\r\n";
    for (const ExportPoint& point : points) {
        text += Sprintf("A01,%5d,", point.number);
        AppendLeft(text, point.name, 12);
        AppendNumber(text, ",%14.6f", point.x);
        AppendNumber(text, ",%14.6f", point.y);
        AppendNumber(text, ",%14.6f", point.z);
        text += ",\r\n";
    }
    text += "A99,\r\n";
    if (parcels != nullptr && !parcels->empty()) {
        AppendParcels(text, names, *parcels);
    }
    return text;
}

void WriteSimaFile(const std::filesystem::path& path, const SimaNames& names, const std::vector<ExportPoint>& points,
                   const std::vector<ExportParcel>* parcels) {
    WriteFileAtomic(path, FormatSimaText(names, points, parcels), false);
}

} // namespace vemo
