#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The fields of a record body (everything before the check character): every field ends at the comma
// that follows it, and blanks belong to the field ("境界 確認", "PC -30").  A body that does not end
// with a comma cannot be framed and gives nothing.  A field that opens with a double quote runs to its
// closing quote (a doubled quote stands for one): files written by earlier versions quoted fields that
// held a blank.
std::optional<std::vector<std::string>> SplitZubBody(std::string_view body);

// The body of a record: every field followed by a comma.  Only a field holding a comma or opening with
// a double quote is quoted, so that it reads back whole; anything else is written as it is, as the
// instruments write it.
std::string JoinZubFields(const std::vector<std::string>& fields);

// The record letter: one ASCII letter in the first field.
bool IsZubRecordLetter(std::string_view field);

} // namespace vemo
