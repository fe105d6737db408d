#pragma once

#include "core/serial/ZubLine.h"
#include "core/serial/ZubLink.h"

#include <functional>
#include <string>
#include <vector>

namespace vemo {

enum class ZubReceiveKind {
    Coordinates,  // coordinate records become points; other records are acknowledged and dropped
    Observations, // records of the observation file are kept as lines for "Temp.ZUB"
    AnyRecord,    // every valid record is kept as a line (the instrument's side of a coordinate send)
};

// Receives record lines until a line holding the end mark, or until cancelled.  Bytes collect into a
// line up to CR (LF ignored); a line is acknowledged when its check character is right and its record
// makes sense (a coordinate record must parse, an observation record must be one the file reader
// takes), otherwise answered with NAK so that the sender repeats it.  There is no timeout: the
// surveyor starts the instrument's output at leisure and cancels with Esc.
//
// A valid line identical to the one accepted just before is acknowledged again but kept once: the
// sender repeats a line whose acknowledgement was lost on the line.
class ZubReceiver : public ZubLink {
public:
    using PointSink = std::function<void(const ReceivedPoint&)>;

    // Coordinates go to `onPoint` as they arrive, so a cancelled receive keeps what came before.
    explicit ZubReceiver(ZubReceiveKind kind, PointSink onPoint = {});

    void Start(LinkMs /*now*/) override {}
    void Feed(std::string_view bytes, LinkMs now) override;

    // Lines kept (Observations and AnyRecord), as received with their check characters.
    const std::vector<std::string>& Lines() const { return lines_; }
    int Stored() const { return stored_; }
    int Refused() const { return refused_; }

private:
    void OnLine();
    bool Acceptable(const std::string& line) const;
    void Keep(const std::string& line);

    ZubReceiveKind kind_;
    PointSink onPoint_;
    std::string buffer_;
    std::string lastAccepted_;
    std::vector<std::string> lines_;
    int stored_ = 0;
    int refused_ = 0;
};

} // namespace vemo
