#pragma once

#include <cstddef>
#include <cstdint>
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
// does not hold; its area is computed with the point before each standing in for it.  When the ring's
// first vertex is among them it has no point before it and takes the first one the list holds after
// it: "…（前の点の座標で計算。先頭は次の点の座標で計算）".
std::string MissingParcelPoints(const std::vector<std::string>& names, bool firstMissing = false);

// Settings, point names, the coordinate list's cleanup, numbers (shared by several areas).
std::string CannotRead(std::string_view path); // ファイル「<path>」を読めません
// "'<excerpt>' は浮動小数点数ではありません" / "'<excerpt>' は整数ではありません": a field that does not
// read as a number; `excerpt` is the quoted piece of the field.
std::string NotADecimalNumber(std::string_view excerpt);
std::string NotAnInteger(std::string_view excerpt);
std::string AtLine(std::size_t line);              // <n>行目: (the start of a message about one line of a file)
std::string SameAsPreviousPoint();                 // 前点と重複
std::string PointNameMissing();                    // 点名を入力してください
std::string PointNameTaken(std::string_view name); // 点名 <name> は既に登録されています
// 点名 <name> は座標リストの <n> 行（<rows>）にあるため、どの点か決められません。1行にしてから登録してください
std::string PointNameOnSeveralRows(std::string_view name, const std::vector<int>& rows);
std::string PointNameUsedTwice(std::string_view name); // 点名 <name> は登録する点の中で2度使われています
std::string PointNameTooLong(std::string_view name); // 点名 '<name>' は16バイトを超えるため付けられません
// "点名 A, B …（全 <n> 点） は既に座標リストにあります。座標を計算結果で置き換えますか？" (ten names at most).
std::string ReplacePointsQuestion(const std::vector<std::string>& heldNames);
// "<n> 点削除しました" / "<n> 点変更しました": what the cleanup of duplicates did.
std::string DuplicatesDeleted(std::int64_t count);
std::string DuplicatesRenamed(std::int64_t count);
std::string CannotStartPrinting(); // 印刷を開始できません
// Traverse and field books.
std::string FileMissing(std::string_view path); // ファイル「<path>」がありません

} // namespace vemo::msg

namespace vemo::msg {

// Calculations (also used by the other areas).
std::string NotFound(std::string_view name);                 // <name> は見つかりません
std::string CoordinateFileUnreadable(std::string_view path); // 座標ファイルを読めません: <path>

} // namespace vemo::msg
