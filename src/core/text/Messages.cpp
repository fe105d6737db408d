#include "core/text/Messages.h"

#include "core/text/Cp932.h"

namespace vemo::msg {
namespace {

std::string Limit(const char* utf8Counted, int limit, const char* utf8Unit, Refused what) {
    return Jp(utf8Counted) + Jp("が上限（") + std::to_string(limit) + Jp(utf8Unit) + Jp("）を超えるため") +
           Jp(what == Refused::Load ? "読み込めません" : "追加できません");
}

} // namespace

std::string TooManyPoints(int limit, Refused what) {
    return Limit("座標点数", limit, "点", what);
}

std::string TooManyParcels(int limit, Refused what) {
    return Limit("画地数", limit, "画地", what);
}

std::string CannotOpenInputFile() {
    return Jp("入力ファイルを開けません");
}

std::string CannotOpenOutputFile() {
    return Jp("出力ファイルを開けません");
}

std::string CannotOpen(std::string_view path) {
    return std::string(path) + Jp("を開けません");
}

std::string CannotWrite(std::string_view path) {
    return std::string(path) + Jp(" に書き込めません");
}

std::string CannotCreate(std::string_view path) {
    return std::string(path) + Jp(" を作成できません");
}

std::string TooLargeToRead(std::string_view path) {
    return std::string(path) + Jp(" は大きすぎるため読み込めません");
}

std::string FieldsMissing(std::string_view kind, std::size_t line) {
    return std::string(kind) + Jp("の") + std::to_string(line) + Jp("行目の項目が足りません");
}

std::string BadParcelLine(std::size_t line) {
    return Jp("画地ファイルの") + std::to_string(line) + Jp("行目が正しくありません");
}

std::string ParcelRowsTooMany(std::size_t line, std::string_view count, int limit) {
    return Jp("画地ファイルの") + std::to_string(line) + Jp("行目の行数（") + std::string(count) + Jp("）が上限（") +
           std::to_string(limit) + Jp("行）を超えています");
}

std::string MissingParcelPoints(const std::vector<std::string>& names, bool firstMissing) {
    std::string text = Jp("座標リストにない点: ");
    for (size_t i = 0; i < names.size(); ++i) {
        text += (i > 0 ? ", " : "") + names[i];
    }
    if (firstMissing) {
        return text + Jp("（前の点の座標で計算。先頭は次の点の座標で計算）");
    }
    return text + Jp("（前の点の座標で計算）");
}

std::string CellHasLineBreak(int row, std::string_view label) {
    return std::to_string(row) + Jp("行目の") + std::string(label) + Jp("に改行が含まれているため保存できません");
}

std::string CellTooWide(int row, std::string_view label, std::size_t width) {
    return std::to_string(row) + Jp("行目の") + std::string(label) + Jp("が") + std::to_string(width) +
           Jp("バイトを超えているため保存できません");
}

std::string FolderNameTaken() {
    return Jp("ディレクトリ名が重複しているかまたは不正です");
}

// Settings, point names, the coordinate list's cleanup, numbers.

std::string CannotRead(std::string_view path) {
    return Jp("ファイル「") + std::string(path) + Jp("」を読めません");
}

std::string NotADecimalNumber(std::string_view excerpt) {
    return "'" + std::string(excerpt) + "'" + Jp(" は浮動小数点数ではありません");
}

std::string NotAnInteger(std::string_view excerpt) {
    return "'" + std::string(excerpt) + "'" + Jp(" は整数ではありません");
}

std::string AtLine(std::size_t line) {
    return std::to_string(line) + Jp("行目: ");
}

std::string SameAsPreviousPoint() {
    return Jp("前点と重複");
}

std::string PointNameMissing() {
    return Jp("点名を入力してください");
}

std::string PointNameTaken(std::string_view name) {
    return Jp("点名 ") + std::string(name) + Jp(" は既に登録されています");
}

std::string PointNameOnSeveralRows(std::string_view name, const std::vector<int>& rows) {
    std::string list;
    for (int row : rows) {
        list += (list.empty() ? "" : ", ") + std::to_string(row);
    }
    return Jp("点名 ") + std::string(name) + Jp(" は座標リストの ") + std::to_string(rows.size()) + Jp(" 行（") + list +
           Jp("）にあるため、どの点か決められません。1行にしてから登録してください");
}

std::string PointNameUsedTwice(std::string_view name) {
    return Jp("点名 ") + std::string(name) + Jp(" は登録する点の中で2度使われています");
}

std::string PointNameTooLong(std::string_view name) {
    return Jp("点名 '") + std::string(name) + Jp("' は16バイトを超えるため付けられません");
}

std::string ReplacePointsQuestion(const std::vector<std::string>& heldNames) {
    constexpr size_t kShown = 10;
    std::string names;
    for (size_t i = 0; i < heldNames.size() && i < kShown; ++i) {
        names += (i ? ", " : "") + heldNames[i];
    }
    if (heldNames.size() > kShown) {
        names += Jp(" …（全 ") + std::to_string(heldNames.size()) + Jp(" 点）");
    }
    return Jp("点名 ") + names + Jp(" は既に座標リストにあります。座標を計算結果で置き換えますか？");
}

std::string DuplicatesDeleted(std::int64_t count) {
    return std::to_string(count) + Jp(" 点削除しました");
}

std::string DuplicatesRenamed(std::int64_t count) {
    return std::to_string(count) + Jp(" 点変更しました");
}

std::string CannotStartPrinting() {
    return Jp("印刷を開始できません");
}

// Traverse and field books.

std::string FileMissing(std::string_view path) {
    return Jp("ファイル「") + std::string(path) + Jp("」がありません");
}

} // namespace vemo::msg

namespace vemo::msg {

// Calculations.

std::string NotFound(std::string_view name) {
    return std::string(name) + Jp(" は見つかりません");
}

std::string CoordinateFileUnreadable(std::string_view path) {
    return Jp("座標ファイルを読めません: ") + std::string(path);
}

} // namespace vemo::msg
