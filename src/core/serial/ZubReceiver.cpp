#include "core/serial/ZubReceiver.h"

#include "core/serial/ReceivedPointRows.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFields.h"
#include "core/zub/ZubFile.h"
#include "core/zub/ZubRecord.h"

namespace vemo {

namespace {

bool IsCoordinateRecord(std::string_view line) {
    return line.starts_with("G,");
}

// The start record as an instrument sends it before its points: the letter and the version.
bool IsStartRecord(std::string_view line) {
    const auto fields = SplitZubBody(line.substr(0, line.size() - 2));
    return fields && fields->size() == 2 && (*fields)[0] == "A";
}

std::vector<std::string> FieldsAfterName(std::string_view line) {
    std::vector<std::string> fields = *SplitZubBody(line.substr(0, line.size() - 2));
    fields.erase(fields.begin(), fields.begin() + 2);
    return fields;
}

// A received line as the surveyor may read it in a message: control bytes (noise) become "?".
std::string Printable(std::string_view line) {
    std::string text(line);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return text;
}

// "F 観測" etc.: the block name of a field book record, for the status line.
std::string RecordWords(std::string_view line) {
    const auto fields = line.size() >= 2 ? SplitZubBody(line.substr(0, line.size() - 2)) : std::nullopt;
    if (!fields || fields->empty()) {
        return {};
    }
    const std::string& letter = fields->front();
    if (letter == "F" && fields->size() > kZubTarget) {
        return msg::ZubObservationWord((*fields)[kZubTarget]);
    }
    if (letter == "D" && fields->size() > 1) {
        return msg::ZubStationWord((*fields)[1]);
    }
    if (const ZubRecordKind* kind = FindZubRecordKind(letter)) {
        return Jp(kind->block);
    }
    return msg::ZubLetterRecordWord(letter);
}

} // namespace

std::string ZubReceiveStatus(ZubReceiveKind kind, std::string_view line, bool accepted, int stored) {
    if (!accepted) {
        return msg::ZubLineRefused();
    }
    if (IsZubEndLine(line)) {
        return msg::ZubEndReceived();
    }
    if (kind == ZubReceiveKind::Coordinates) {
        if (!IsCoordinateRecord(line)) {
            return msg::ZubStartReceived();
        }
        const std::optional<ReceivedPoint> point = ParseCoordinateRecord(line);
        return msg::ZubPointReceived(stored, point ? point->name : std::string());
    }
    return msg::ZubLineReceived(stored, RecordWords(line));
}

ZubReceiver::ZubReceiver(ZubReceiveKind kind, PointSink onPoint) : kind_(kind), onPoint_(std::move(onPoint)) {}

void ZubReceiver::Feed(std::string_view bytes, LinkMs /*now*/) {
    for (const char c : bytes) {
        if (!Running()) {
            return;
        }
        if (c == '\r') {
            OnLine();
        } else if (c != '\n') {
            buffer_ += c;
        }
    }
}

bool ZubReceiver::Acceptable(const std::string& line) const {
    if (!IsValidZubLine(line)) {
        return false;
    }
    switch (kind_) {
    case ZubReceiveKind::Observations:
        return IsReceivableZubLine(line);
    case ZubReceiveKind::Coordinates:
        // A record letter or separator damaged past the check character would otherwise be taken
        // for some other record and dropped: the point would vanish from a transfer called complete.
        return IsCoordinateRecord(line) ? ParseCoordinateRecord(line).has_value()
                                        : IsStartRecord(line) || IsZubEndLine(line);
    case ZubReceiveKind::AnyRecord:
        break;
    }
    return true;
}

bool ZubReceiver::Keep(const std::string& line) {
    if (kind_ != ZubReceiveKind::Coordinates) {
        lines_.push_back(line);
        ++stored_;
        return true;
    }
    if (!IsCoordinateRecord(line) || !onPoint_) {
        return true;
    }
    const ReceivedPoint point = *ParseCoordinateRecord(line);
    try {
        onPoint_(point);
    } catch (const RefusedPointName& refusal) {
        if (refusal.NoiseCanCause() && !AskedEnough(line)) {
            return false;
        }
        refusedPoints_.push_back(std::string(refusal.what()) + " (" + Printable(line) + ")");
        return true;
    }
    ++stored_;
    askedLine_.clear();
    std::vector<std::string> fields = FieldsAfterName(line);
    if (fields == lastPointFields_) {
        flagged_.push_back(point.name);
    }
    lastPointFields_ = std::move(fields);
    return true;
}

bool ZubReceiver::AskedEnough(const std::string& line) {
    if (line != askedLine_) {
        askedLine_ = line;
        asks_ = 0;
    }
    if (asks_ >= kNameAsks) {
        askedLine_.clear();
        return true;
    }
    ++asks_;
    return false;
}

void ZubReceiver::OnLine() {
    const std::string line = std::exchange(buffer_, {});
    bool accepted = Acceptable(line);
    // Kept before it is acknowledged: a point the list cannot take (it is full) throws here and the
    // instrument never hears that it arrived.  A point whose name noise can have damaged into one
    // the list refuses is asked for again, never acknowledged as taken.
    const bool again = accepted && line == lastAccepted_;
    if (again && kind_ != ZubReceiveKind::Observations) {
        ++repeats_;
    } else if (accepted) {
        accepted = Keep(line);
        if (again) {
            repeatedLines_.push_back(static_cast<int>(lines_.size()));
        }
    }
    if (accepted) {
        lastAccepted_ = line;
        Write(ZubAckWire());
    } else {
        Write(ZubNakWire());
        refusedLines_.push_back(line);
    }
    Show(ZubReceiveStatus(kind_, line, accepted, stored_));
    if (IsZubEndLine(line)) {
        Finish(ZubLinkState::Succeeded);
    }
}

std::string ReceiveReport(const ZubReceiver& receiver) {
    std::string report = msg::ZubReceived(receiver.State() == ZubLinkState::Succeeded);
    report += "\n" + msg::ZubReceivedCount(receiver.Kind() == ZubReceiveKind::Coordinates, receiver.Stored());
    const std::vector<std::string>& refused = receiver.RefusedLines();
    if (!refused.empty()) {
        report += "\n" + msg::ZubRefusedLines(static_cast<int>(refused.size()));
        constexpr size_t kShown = 5;
        for (size_t i = 0; i < refused.size() && i < kShown; ++i) {
            report += "\n  " + Printable(refused[i]);
        }
        if (refused.size() > kShown) {
            report += "\n  " + msg::ZubMoreLines(static_cast<int>(refused.size() - kShown));
        }
    }
    // A reading repeated on purpose and a resend look the same: both are kept, and shown.
    const std::vector<int>& repeated = receiver.RepeatedLines();
    if (!repeated.empty()) {
        report += "\n" + msg::ZubRepeatedLines(static_cast<int>(repeated.size()));
        constexpr size_t kShown = 5;
        for (size_t i = 0; i < repeated.size() && i < kShown; ++i) {
            const int number = repeated[i];
            report += "\n  " + msg::ZubBookLineAt(number, Printable(receiver.Lines()[number - 1]));
        }
        if (repeated.size() > kShown) {
            report += "\n  " + msg::ZubMoreLines(static_cast<int>(repeated.size() - kShown));
        }
    }
    const std::vector<std::string>& refusedPoints = receiver.RefusedPoints();
    if (!refusedPoints.empty()) {
        report += "\n" + msg::ZubRefusedPoints(static_cast<int>(refusedPoints.size()));
        for (const std::string& why : refusedPoints) {
            report += "\n  " + why;
        }
    }
    if (!receiver.Flagged().empty()) {
        report += "\n" + msg::ZubFlaggedPoints();
        for (size_t i = 0; i < receiver.Flagged().size(); ++i) {
            report += (i > 0 ? ", " : "") + receiver.Flagged()[i];
        }
    }
    return report;
}

} // namespace vemo
