#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vemo {

// The ZUB Editor shows one record per row in 13 cells: the record letter in cell 0, then its fields,
// the check character last.
constexpr int kZubCells = 13;
using ZubRow = std::array<std::string, kZubCells>;

// Cells of the observation (F) record that the traverse transfer reads.
enum ZubObservationCell : int {
    kZubTarget = 1,       // 目標点名
    kZubTargetHeight = 3, // 目標高
    kZubObsNumber = 4,    // 観測番号: "r" direct (正), "l" reverse (反)
    kZubHAngle = 5,       // 水平角, packed D.MMSS
    kZubVAngle = 6,       // 鉛直角, packed D.MMSS
    kZubSlope1 = 7,       // 斜距離１
};

// One kind of record: its letter, the block name shown in the status bar for cell 0, the number of
// fields k (the letter and the check character included) and the column headers of cells 1 .. k-1.
struct ZubRecordKind {
    char letter;
    const char* block; // UTF-8 source text; Jp() gives the CP932 form
    int fieldCount;
    std::array<const char*, kZubCells> headers;
};

// The kinds A, B, C, D, E, F and Z; nothing for any other letter.
const ZubRecordKind* FindZubRecordKind(std::string_view letter);

// The record header texts (CP932) of the grid's fixed row for a record letter: cells 1 .. k-1 filled,
// the others empty (all empty for an unknown letter).
std::array<std::string, kZubCells> ZubHeaderTexts(std::string_view letter);

// The status text (CP932) for a selected cell: the block name in column 0, the code explanation of the
// other columns where the format gives one (some followed by the cell's own text), else empty.
std::string ZubStatusText(const ZubRow& row, int column);

// A direct (正) observation: its observation number holds "r".
bool IsDirectObservation(const ZubRow& row);

} // namespace vemo
