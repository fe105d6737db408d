#pragma once

#include "core/store/BlockList.h"
#include "core/store/XyzList.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// What a SIMA or 日調連 file holds, ready for the store: coordinate rows as the native reader would
// give them (three-decimal numbers, 点種 and 備考 empty) and, for SIMA, parcels without label points.
struct ForeignData {
    std::vector<XyzRow> rows;
    std::vector<Block> blocks;
    // What a reader that takes more than it can keep as it was (a registry map) tells the surveyor: CP932
    // lines, the plane rectangular zone the file names (1 .. 19, 0 for none) and the source line its
    // terms of use ask to be printed with the data.
    std::vector<std::string> notes;
    int planeZone = 0;
    std::string sourceLine;
};

// The items of an exchange-file line: every blank (0x20) removed, then decoded as a CommaList.
// `buffer` and `items` are reused from line to line (a 100,000-point file has as many lines).  A line
// holding a control byte throws vemo::FieldError, except a line of nothing else (the end-of-file mark
// 0x1A of older programs), which has no items.
void ExchangeItems(std::string_view line, std::string& buffer, std::vector<std::string>& items);

// The text before the end-of-file mark 0x1A that files of MS-DOS era programs end with, when nothing
// but blanks follows it; otherwise the whole text (a 0x1A inside is damage, refused with its line).
std::string_view BeforeEndMark(std::string_view bytes);

// A name field, or "*" + the point's number when it is empty.  A name with a control byte or a cut
// double-byte character throws vemo::FieldError naming it (`utf8Label` says what it names).
std::string ExchangeName(const std::string& name, const std::string& number, const char* utf8Label = "点名");

// A coordinate row from name and number texts.  An empty X or Y throws vemo::FieldError: the line was
// cut short, and 0 would be taken for a real coordinate.  An empty Z is 0 (plane points).
XyzRow ExchangeRow(std::string name, std::string_view x, std::string_view y, std::string_view z);

// "<kind>の<n>行目の項目が足りません"
[[noreturn]] void ThrowShortLine(const char* utf8Kind, size_t lineNo);
[[noreturn]] void ThrowTooManyPoints();

// Whether the text holds at least one line that starts like a SIMA record: a capital letter and two
// digits ("A01", "D00", "G00"), then a comma or the line end.
bool HasSimaRecord(std::string_view bytes);

// A file in which no record was recognised is not an empty exchange file but some other file: refused
// with a message naming it, so that it can never replace an output with nothing.
void RequireRecords(const std::filesystem::path& path, const ForeignData& data, bool recognised, const char* utf8Kind);

// Reads the whole input file or throws "<path>を開けません".
std::string ReadExchangeFile(const std::filesystem::path& path);

} // namespace vemo
