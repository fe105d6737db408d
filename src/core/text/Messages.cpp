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

std::string MissingParcelPoints(const std::vector<std::string>& names) {
    std::string text = Jp("座標リストにない点: ");
    for (size_t i = 0; i < names.size(); ++i) {
        text += (i > 0 ? ", " : "") + names[i];
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

// Main window, printing, help.

std::string CannotStartPrinting() {
    return Jp("印刷を開始できません");
}

} // namespace vemo::msg
