#include "core/text/MessagesFiles.h"

#include "core/text/Cp932.h"
#include "core/text/Messages.h"

namespace vemo::msg {

namespace {

std::string Quoted(std::string_view path) {
    return Jp("ファイル「") + std::string(path) + Jp("」");
}

} // namespace

std::string InFile(std::string_view path) {
    return Quoted(path) + Jp(": ");
}

std::string FileTooLarge(std::string_view path, std::uintmax_t maxBytes) {
    return Quoted(path) + Jp("は大きすぎるため読み込めません（上限 ") + std::to_string(maxBytes) + Jp(" バイト）");
}

std::string SavedAsUtf8(std::string_view path) {
    return Quoted(path) + Jp("は UTF-8 で保存されています（Shift-JIS で保存し直してください）");
}

std::string NoRecordsOfKind(std::string_view path, std::string_view kind) {
    return Quoted(path) + Jp("は") + std::string(kind) + Jp("ではありません（読み取れる記録がありません）");
}

std::string CoordinateOutOfRange(std::string_view label, std::string_view value) {
    return std::string(label) + Jp("の値 ") + std::string(value) + Jp(" は座標の範囲（±10000000 m）を超えています");
}

std::string SameFileForPointsAndParcels(std::string_view path) {
    return Jp("座標ファイルと画地ファイルに同じファイル「") + std::string(path) + Jp("」が指定されています");
}

std::string WriteFaultText(WriteFault fault) {
    switch (fault) {
    case WriteFault::ReadOnlyFile:
        return Jp("読み取り専用のファイルです");
    case WriteFault::NotRegularFile:
        return Jp("通常のファイルではありません");
    case WriteFault::DiskFull:
        return Jp("ディスクの空き容量が足りません");
    case WriteFault::NotPermitted:
        return Jp("書き込みが許可されていません");
    case WriteFault::NoFolder:
        return Jp("フォルダがありません");
    case WriteFault::FolderInTheWay:
        return Jp("同じ名前のフォルダがあります");
    case WriteFault::ReadOnlyFileSystem:
        return Jp("読み取り専用のファイルシステムです");
    case WriteFault::Io:
        break;
    }
    return Jp("入出力エラーです");
}

std::string ErrorNumber(int error) {
    return Jp("エラー番号 ") + std::to_string(error);
}

std::string CannotWriteFile(std::string_view path, std::string_view reason) {
    return Quoted(path) + Jp("に書き込めません（") + std::string(reason) + Jp("）");
}

std::string DataFolderTaken(std::string_view labelledName) {
    return std::string(labelledName) + Jp(" が重複しています．\n\nフォルダが作成できませんでした．");
}

std::string OpenParcelsToo(std::string_view blk) {
    return Jp("画地データ「") + std::string(blk) + Jp("」も開きますか？");
}

std::string GdalSays(std::string_view text) {
    return Jp("（GDAL: ") + std::string(text) + Jp("）");
}

std::string GdalLacksDriver(std::string_view driver) {
    return Jp("この GDAL には「") + std::string(driver) + Jp("」形式を書き出す機能がありません");
}

std::string DxfTemplateMissing() {
    return Jp("GDAL の DXF ひな形（header.dxf）が見つかりません");
}

std::string UnknownExportFormat(std::string_view path) {
    return Jp("出力形式が分かりません（拡張子は .dxf .gpkg .shp .kml .geojson のいずれかです）: ") + std::string(path);
}

std::string Exported(std::string_view file, int points, int parcels) {
    return std::string(file) + Jp(" に点 ") + std::to_string(points) + Jp(" 件、画地 ") + std::to_string(parcels) +
           Jp(" 件を出力しました。");
}

std::string PointsLeftOut(int count) {
    return Jp("\n点名か座標のない点、X・Y が 0.000 の点 ") + std::to_string(count) + Jp(" 件は出力していません。");
}

std::string ParcelsLeftOut(int count) {
    return Jp("\n座標のない点を含む画地 ") + std::to_string(count) + Jp(" 件は出力していません。");
}

std::string NoCrsDefinition(int epsg) {
    return Jp("座標系の定義が見つかりません: EPSG:") + std::to_string(epsg);
}

std::string ZoneOutOfRange(int zone) {
    return Jp("座標系の番号 ") + std::to_string(zone) + Jp(" は 1 から 19 ではありません");
}

std::string CannotPrepareTransform() {
    return Jp("座標変換を準備できません（PROJ のデータを確認してください）");
}

std::string CannotConvertToLatLon() {
    return Jp("緯度経度に変換できません");
}

std::string CannotConvertToPlane() {
    return Jp("平面直角座標に変換できません");
}

std::string FileOpenError() {
    return "File Open Error !!";
}

std::string NoRestoreData() {
    return Jp("リストアデータがありません!!");
}

std::string NotAFileToOpen(std::string_view file, std::string_view extensions, bool handedOver) {
    return (handedOver ? Jp("別に起動された Vemo から渡された") : std::string()) + Quoted(file) +
           Jp("は開けません（開けるのは ") + std::string(extensions) + Jp(" のファイルです）");
}

std::string ProfileMissing() {
    return "Profile File " + Jp("が見つかりません");
}

std::string NoParcelsToSave() {
    return Jp("保存する画地がありません!");
}

std::string ChooseSiteToSaveIn() {
    return Jp("保存先の現場をデータツリーで選択してください");
}

std::string OverwritePoints() {
    return Jp("座標を上書保存します");
}

std::string OverwriteParcels() {
    return Jp("画地を上書保存します");
}

std::string DataNamesDiffer() {
    return Jp("データ名が異なります！強制保存しますか？");
}

std::string UnsavedChanges(bool points, bool parcels) {
    const char* what = points && parcels ? "座標リストと画地データ" : points ? "座標リスト" : "画地データ";
    return Jp(what) + Jp("に保存されていない変更があります．\n保存しますか？");
}

std::string OverwriteWithRestored(std::string_view dataSet) {
    return Jp("オートセーブから復元したデータを「") + std::string(dataSet) + Jp("」に上書き保存します");
}

std::string LongNamesQuestion(std::size_t count, std::string_view names) {
    return Jp("点名が16バイトを超える点が ") + std::to_string(count) + Jp(" 点あり，このままでは保存できません\n") +
           std::string(names) + Jp("\n\n16バイトに切り詰めて読み込みますか？（キャンセル: 読み込みません）");
}

std::string PointsIn(std::string_view file, std::size_t count) {
    return std::string(file) + Jp(" に ") + std::to_string(count) + Jp(" 点");
}

std::string ParcelsIn(std::string_view file, std::size_t count) {
    return std::string(file) + Jp(" に ") + std::to_string(count) + Jp(" 画地");
}

std::string AndParcels(std::size_t count) {
    return ListSeparator() + std::to_string(count) + Jp(" 画地");
}

std::string ListSeparator() {
    return Jp("，");
}

std::string Saved(std::string_view what) {
    return std::string(what) + Jp("を保存しました");
}

std::string SaveDone() {
    return Jp("【データ保存完了】 ");
}

std::string NoChanges(std::string_view dataSet) {
    return Jp("変更はありません（") + std::string(dataSet) + Jp("）");
}

std::string AutoSaveFailed() {
    return Jp("オートセーブできません: ");
}

std::string LinkFileFailed() {
    return "Xyz.txt " + Jp("を出力できません: ");
}

std::string RestoredFromAutoSave(std::string_view dataSet, std::string_view time) {
    return Jp("オートセーブから復元しました: ") + std::string(dataSet) + Jp("（") + std::string(time) + Jp(" の状態）");
}

std::string NoDataName() {
    return Jp("データ名なし");
}

std::string EnterXAndY() {
    return Jp("X と Y に数値を入力してください");
}

std::string EnterLatLon() {
    return Jp("緯度と経度を 度 分 秒 か 度 で入力してください");
}

std::string ChooseSiteZone() {
    return Jp("この現場の平面直角座標系を選んでください");
}

std::string CannotOpenInput(std::string_view path) {
    return CannotOpenInputFile() + ": " + std::string(path);
}

std::string NoPointNamed(std::string_view name) {
    return Jp("点名「") + std::string(name) + Jp("」がありません");
}

std::string InParcel(std::string_view name) {
    return Jp("画地「") + std::string(name) + Jp("」: ");
}

std::string NoPdfInThisBuild() {
    return Jp("このビルドはPDFを出力できません");
}

std::string CannotWriteStandardOutput(std::string_view reason) {
    return Jp("標準出力に書き込めません（") + std::string(reason) + Jp("）");
}

} // namespace vemo::msg
