#pragma once

#include <string>
#include <string_view>

namespace vemo {

// Appends text blank-padded to at least `width` bytes (printf "%-Ns" / "%Ns", but byte-exact: a NUL
// or any other byte inside the text is kept).
void AppendLeft(std::string& out, std::string_view text, size_t width);
void AppendRight(std::string& out, std::string_view text, size_t width);

// A number field of a coordinate file or an exchange file, as the value it stands for.  The field is
// trimmed; an empty field or a bare sign is 0 (a point written without Z); anything else must be a
// decimal number as written ("1e3" is 1000) or the conversion message is thrown.
double ReadNumberField(std::string_view field);

// Coordinates beyond this (metres, either sign) are refused on reading: a plane rectangular system
// reaches a few hundred kilometres from its origin, and 10,000 km still fits the 20-byte field.
constexpr double kMaxCoordinate = 10'000'000.0;

// The same as the text the coordinate list holds: three decimals ("12.5" -> "12.500").
std::string ReadCoordinateText(std::string_view field);
// The same for a coordinate of a file being read: a value beyond kMaxCoordinate throws vemo::FieldError
// naming the field ("X座標", the UTF-8 label).
std::string ReadFileCoordinate(std::string_view field, const char* utf8Label);

// A coordinate cell of the list as a number for export: the same rule as ReadNumberField.
inline double CellNumber(std::string_view cell) {
    return ReadNumberField(cell);
}

} // namespace vemo
