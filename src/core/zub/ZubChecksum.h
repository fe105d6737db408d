#pragma once

#include <string>
#include <string_view>

namespace vemo {

// A ZUB record is a list of fields, each followed by a comma, whose last field is a one-byte check
// character: "A,01,Z," is the start record with its check character "Z".  The same lines travel over
// the serial line and stand in observation files.

// The check character of a record body (everything before the check character, its last comma
// included): the bytes summed as signed 8-bit values (Shift-JIS bytes of 0x80 and above count
// negative), the remainder of that sum by 64 keeping the sign of the sum, plus 32.  A negative sum can
// give a control byte or a byte of 0xE1 and above.
char ZubChecksum(std::string_view body);

// body + check character + ",": the record as it stands in a file (without the line end).
std::string ZubRecordLine(std::string_view body);

// A record line (without its line end) is valid when its last two bytes are the check character of
// the rest and a comma.
bool IsValidZubLine(std::string_view line);

} // namespace vemo
