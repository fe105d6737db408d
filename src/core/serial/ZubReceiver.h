#pragma once

#include "core/serial/ZubLine.h"
#include "core/serial/ZubLink.h"

#include <functional>
#include <string>
#include <vector>

namespace vemo {

enum class ZubReceiveKind {
    Coordinates,  // coordinate records become points; the start record is acknowledged and dropped
    Observations, // records of a field book are kept as lines for "Temp.ZUB"
    AnyRecord,    // every valid record is kept as a line (the instrument's side of a coordinate send)
};

// Receives record lines until a line holding the end mark, or until cancelled.  Bytes collect into a
// line up to CR (LF ignored); a line is acknowledged when its check character is right and its record
// is one this receive takes, otherwise answered with NAK so that the sender repeats it.  The six-bit
// check character lets some damage through (a byte changed by a multiple of 64), so the record must
// also have the shape of its kind: coordinates take only coordinate records (and the start and end
// records), a field book only lines that open with a record letter and, for a known letter, carry
// exactly its fields.  There is no timeout: the surveyor starts the instrument's output at leisure and
// cancels with Esc.
//
// A valid coordinate record identical to the one accepted just before is acknowledged again but kept
// once: it names the same point, which the list can hold only once.  A field book line identical to
// the one before is kept as a line of its own and listed: the line carries no sequence mark, so a
// reading repeated on purpose and a line the instrument sent again because our acknowledgement reached
// it damaged look the same, byte for byte, in every state of the exchange (after an acknowledgement,
// and after a refused copy in between alike).  A duplicate line can be deleted in the editor; a
// reading dropped for a resend could not be had again.
//
// A coordinate record whose name the list refuses for a reason noise can cause (a name received
// before in this transfer, one the name rule refuses) is answered with NAK, so that the sender repeats
// it.  Noise does not damage a line the same way twice: when the very same line has been asked for
// kNameAsks times it is what the instrument holds (a name it genuinely sends twice), and it is taken
// without being stored and listed with its line, as a name held before the transfer is, so that the
// transfer can end.  A coordinate record equal to the last stored one in everything but its name is
// stored and flagged: it is most likely that repeat with a name damaged in a way the check character
// cannot see.
class ZubReceiver : public ZubLink {
public:
    using PointSink = std::function<void(const ReceivedPoint&)>;

    // Coordinates go to `onPoint` as they arrive, so a cancelled receive keeps what came before.
    explicit ZubReceiver(ZubReceiveKind kind, PointSink onPoint = {});

    void Start(LinkMs /*now*/) override {}
    void Feed(std::string_view bytes, LinkMs now) override;

    ZubReceiveKind Kind() const { return kind_; }

    // Lines kept (Observations and AnyRecord), as received with their check characters.
    const std::vector<std::string>& Lines() const { return lines_; }
    int Stored() const { return stored_; }
    int Refused() const { return static_cast<int>(refusedLines_.size()); }
    // The lines answered with NAK, as received.
    const std::vector<std::string>& RefusedLines() const { return refusedLines_; }
    // Names of points stored although they repeat the point before them under another name.
    const std::vector<std::string>& Flagged() const { return flagged_; }
    // Why points were not put into the list (a name the list held before the transfer), in order,
    // each with its line as received.
    const std::vector<std::string>& RefusedPoints() const { return refusedPoints_; }
    // Coordinate records that came again straight after themselves and were taken as the sender's repeat.
    int Repeats() const { return repeats_; }
    // Field book lines kept although they repeat the line before them: their numbers in Lines(), from 1.
    const std::vector<int>& RepeatedLines() const { return repeatedLines_; }

    // How often the same coordinate record is asked for again for its name before it is taken as sent.
    static constexpr int kNameAsks = 2;

private:
    void OnLine();
    bool Acceptable(const std::string& line) const;
    // False when the line must be asked for again (a point name noise can have damaged).
    bool Keep(const std::string& line);
    // True when `line`, refused for its name, has been asked for again kNameAsks times already.
    bool AskedEnough(const std::string& line);
    void ShowLine(const std::string& line, bool accepted);

    ZubReceiveKind kind_;
    PointSink onPoint_;
    std::string buffer_;
    std::string lastAccepted_;
    std::vector<std::string> lastPointFields_; // the fields of the last stored coordinate record
    std::vector<std::string> lines_;
    std::vector<std::string> refusedLines_;
    std::vector<std::string> flagged_;
    std::vector<std::string> refusedPoints_;
    int stored_ = 0;
    std::vector<int> repeatedLines_;
    std::string askedLine_; // the coordinate record last asked for again for its name
    int asks_ = 0;
    int repeats_ = 0;
};

// What the dialog shows while receiving (CP932), in words: the record that came, or that it was
// refused and is asked for again.
std::string ZubReceiveStatus(ZubReceiveKind kind, std::string_view line, bool accepted, int stored);

// The closing message of a receive (CP932): "受信完了" or "受信を中止しました", how many points (or
// field book lines) came, the lines refused (asked for again) and the points flagged.
std::string ReceiveReport(const ZubReceiver& receiver);

} // namespace vemo
