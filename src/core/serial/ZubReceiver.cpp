#include "core/serial/ZubReceiver.h"

#include "core/text/Cp932.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFile.h"

namespace vemo {

namespace {

bool IsCoordinateRecord(std::string_view line) {
    return line.starts_with("G,") || line.starts_with("\"G\",");
}

} // namespace

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
    if (kind_ == ZubReceiveKind::Observations) {
        return IsReadableZubLine(line);
    }
    return !IsCoordinateRecord(line) || ParseCoordinateRecord(line).has_value();
}

void ZubReceiver::Keep(const std::string& line) {
    if (kind_ == ZubReceiveKind::Coordinates) {
        if (IsCoordinateRecord(line) && onPoint_) {
            onPoint_(*ParseCoordinateRecord(line));
            ++stored_;
        }
    } else {
        lines_.push_back(line);
        ++stored_;
    }
}

void ZubReceiver::OnLine() {
    const std::string line = std::exchange(buffer_, {});
    Show(kind_ == ZubReceiveKind::Observations ? line : Jp("受信：") + line);
    if (Acceptable(line)) {
        // Kept before it is acknowledged: a point the list cannot take (it is full) throws here and
        // the instrument never hears that it arrived.
        if (line != lastAccepted_) {
            Keep(line);
        }
        lastAccepted_ = line;
        Write(ZubAckWire());
    } else {
        Write(ZubNakWire());
        ++refused_;
    }
    if (IsZubEndLine(line)) {
        Finish(ZubLinkState::Succeeded);
    }
}

} // namespace vemo
