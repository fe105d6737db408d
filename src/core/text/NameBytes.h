#pragma once

#include <string_view>

namespace vemo {

// A point or parcel name must survive being written into every format and read back: a control byte
// (a NUL ends the name for other programs, 0x1A ends an old file) or a double-byte character cut in
// half (the byte after it, often the field's comma, would be taken as its second byte) cannot.
enum class NameFault { None, ControlByte, CutCharacter };
NameFault FindNameFault(std::string_view name);

// Throws vemo::FieldError naming the name (shown as an excerpt, control bytes escaped) and the fault;
// `utf8Label` says what the name is ("点名", "画地名").
void RequireUsableName(std::string_view name, const char* utf8Label);

} // namespace vemo
