#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::msg {

// The Japanese messages of the core, in one place so that each says one thing one way.  Every result
// is CP932 (like all core text) and goes into a vemo::Error or a listing; names and paths passed in
// are CP932 already.

// What a limit stops: reading a file, or adding to the list being edited.
enum class Refused { Load, Add };

// "座標点数が上限（99998点）を超えるため読み込めません" / "…追加できません".
std::string TooManyPoints(int limit, Refused what);
// "画地数が上限（1000画地）を超えるため読み込めません" / "…追加できません".
std::string TooManyParcels(int limit, Refused what);

// Files.
std::string CannotOpenInputFile();                 // 入力ファイルを開けません
std::string CannotOpenOutputFile();                // 出力ファイルを開けません
std::string CannotOpen(std::string_view path);     // <path>を開けません
std::string CannotWrite(std::string_view path);    // <path> に書き込めません
std::string CannotCreate(std::string_view path);   // <path> を作成できません
std::string TooLargeToRead(std::string_view path); // <path> は大きすぎるため読み込めません
std::string FieldsMissing(std::string_view kind, std::size_t line); // <kind>の<n>行目の項目が足りません
std::string BadParcelLine(std::size_t line); // 画地ファイルの<n>行目が正しくありません
// 画地ファイルの<n>行目の行数（<count>）が上限（<limit>行）を超えています
std::string ParcelRowsTooMany(std::size_t line, std::string_view count, int limit);
// A cell of list row `row` that the native file cannot hold as it is.
std::string CellHasLineBreak(int row, std::string_view label);
std::string CellTooWide(int row, std::string_view label, std::size_t width);
std::string FolderNameTaken(); // ディレクトリ名が重複しているかまたは不正です

// Parcels.
// "座標リストにない点: A, B（前の点の座標で計算）": the vertices a parcel names that the coordinate list
// does not hold; its area is computed with the point before each standing in for it.
std::string MissingParcelPoints(const std::vector<std::string>& names);

// Main window, printing, help.
std::string CannotStartPrinting(); // 印刷を開始できません

} // namespace vemo::msg
