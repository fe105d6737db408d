#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzNameIndex;

// The lines of the instrument link.  Every line is a ZUB record (fields each followed by a comma, the
// check character and a comma) followed by CR LF on the wire.  The receiver answers each line with
// the acknowledgement line (accepted) or the negative acknowledgement line (send it again).

constexpr char kZubAck = 0x06;
constexpr char kZubNak = 0x15;
constexpr std::string_view kZubStartBody = "A,01,";
constexpr std::string_view kZubEndBody = "Z,";
// A receiver ends at any line that holds this, whatever else the line holds.
constexpr std::string_view kZubEndMark = "Z,&,";

// A record line as it goes on the wire: line + CR LF.
std::string ZubWire(std::string_view recordLine);
// 06 2C 52 2C 0D 0A and 15 2C 21 2C 0D 0A.
std::string ZubAckWire();
std::string ZubNakWire();
bool IsZubEndLine(std::string_view line);

// A point of a received coordinate record: name and the three coordinates written "0.000".
struct ReceivedPoint {
    std::string name;
    std::string x;
    std::string y;
    std::string z;
    bool operator==(const ReceivedPoint&) const = default;
};

// The coordinate record body of a point: "G," name "," X "," Y "," "," with X and Y in the general
// number format (1234.567, 100, -0.5) and the height left empty, as the instruments expect.
std::string ZubCoordinateBody(std::string_view name, double x, double y);

// A coordinate record line ("G,...", check character already verified): the fields G, name, X, Y, Z
// and, from some instruments, a point code (not kept); fields end at their commas, so a name may hold
// blanks; a name without control bytes, numbers that parse (an empty one reads 0).  Anything else is
// nothing: such a record is refused rather than stored with made-up figures.
std::optional<ReceivedPoint> ParseCoordinateRecord(std::string_view line);

// The lines that send the points of a selection: the start record, one coordinate record per name
// found in the index, the end record.  Names the index does not know are left out and listed in
// `missing`, so the surveyor learns which points did not go instead of finding the previous point's
// figures under their names in the field.  A record whose check character would be CR or LF (a long
// name in double-byte characters can make the sum come out so) could never arrive as one line: such
// points are left out too and listed in `unsendable`.
struct ZubSendList {
    std::vector<std::string> lines; // record lines without CR LF
    std::vector<std::string> missing;
    std::vector<std::string> unsendable;
};
ZubSendList BuildCoordinateSendList(const std::vector<std::string>& names, const XyzNameIndex& index);

// "座標リストにない点は送りませんでした: A1, A2" and on a second line "チェック文字が改行になる点は送れません: ..."
// (CP932), each only when it has names; empty when nothing was left out.
std::string SkippedPointsMessage(const ZubSendList& list);

} // namespace vemo
