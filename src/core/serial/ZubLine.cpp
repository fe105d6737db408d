#include "core/serial/ZubLine.h"

#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFields.h"

namespace vemo {

std::string ZubWire(std::string_view recordLine) {
    std::string wire(recordLine);
    wire += "\r\n";
    return wire;
}

std::string ZubAckWire() {
    return ZubWire(ZubRecordLine(std::string{kZubAck, ','}));
}

std::string ZubNakWire() {
    return ZubWire(ZubRecordLine(std::string{kZubNak, ','}));
}

bool IsZubEndLine(std::string_view line) {
    return line.find(kZubEndMark) != std::string_view::npos;
}

std::string ZubCoordinateBody(std::string_view name, double x, double y) {
    std::string body = "G,";
    body += name;
    body += ',' + FormatGeneral(x) + ',' + FormatGeneral(y) + ",,";
    return body;
}

std::optional<ReceivedPoint> ParseCoordinateRecord(std::string_view line) {
    if (line.size() < 2) {
        return std::nullopt;
    }
    const std::string_view body = line.substr(0, line.size() - 2);
    // The list decoding would take a control byte for a separator and quietly shorten the name.
    for (const char c : body) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return std::nullopt;
        }
    }
    const std::optional<std::vector<std::string>> split = SplitZubBody(body);
    if (!split || (split->size() != 5 && split->size() != 6) || (*split)[0] != "G" || (*split)[1].empty()) {
        return std::nullopt;
    }
    const std::vector<std::string>& items = *split;
    ReceivedPoint point{items[1], {}, {}, {}};
    std::string* cells[] = {&point.x, &point.y, &point.z};
    for (int i = 0; i < 3; ++i) {
        // Some instruments pad their figures with blanks.
        const std::string item(TrimView(items[2 + i]));
        const std::optional<double> value = item.empty() ? 0.0 : TryStrToFloat(item);
        if (!value) {
            return std::nullopt;
        }
        *cells[i] = Format3(*value);
    }
    return point;
}

ZubSendList BuildCoordinateSendList(const std::vector<std::string>& names, const XyzNameIndex& index) {
    ZubSendList list;
    list.lines.push_back(ZubRecordLine(kZubStartBody));
    for (const std::string& name : names) {
        const std::optional<PointXY> point = index.Find(name);
        if (!point) {
            list.missing.push_back(name);
            continue;
        }
        const std::string line = ZubRecordLine(ZubCoordinateBody(name, point->x, point->y));
        const char check = line[line.size() - 2];
        if (check == '\r' || check == '\n') {
            list.unsendable.push_back(name);
        } else {
            list.lines.push_back(line);
        }
    }
    list.lines.push_back(ZubRecordLine(kZubEndBody));
    return list;
}

namespace {

void AppendNames(std::string& message, const std::string& lead, const std::vector<std::string>& names) {
    if (names.empty()) {
        return;
    }
    message += (message.empty() ? "" : "\n") + lead;
    for (size_t i = 0; i < names.size(); ++i) {
        message += (i > 0 ? ", " : "") + names[i];
    }
}

} // namespace

std::string SkippedPointsMessage(const ZubSendList& list) {
    std::string message;
    AppendNames(message, msg::ZubPointsNotInList(), list.missing);
    AppendNames(message, msg::ZubPointsUnsendable(), list.unsendable);
    return message;
}

} // namespace vemo
