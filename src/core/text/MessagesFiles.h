#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the file commands, the file formats, safe writing, the GIS export and the batch
// commands that read and write files.  CP932 results; names and paths passed in are CP932 already.

// Reading files.
std::string InFile(std::string_view path); // ファイル「<path>」: (what follows says what is wrong)
// ファイル「<path>」は大きすぎるため読み込めません（上限 <n> バイト）
std::string FileTooLarge(std::string_view path, std::uintmax_t maxBytes);
// ファイル「<path>」は UTF-8 で保存されています（Shift-JIS で保存し直してください）
std::string SavedAsUtf8(std::string_view path);
// ファイル「<path>」は<kind>ではありません（読み取れる記録がありません）
std::string NoRecordsOfKind(std::string_view path, std::string_view kind);
// <label>の値 <value> は座標の範囲（±10000000 m）を超えています
std::string CoordinateOutOfRange(std::string_view label, std::string_view value);
// 座標ファイルと画地ファイルに同じファイル「<path>」が指定されています
std::string SameFileForPointsAndParcels(std::string_view path);

// Writing files.
// Why a write failed, as the end of CannotWriteFile.
enum class WriteFault {
    ReadOnlyFile,
    NotRegularFile,
    DiskFull,
    NotPermitted,
    NoFolder,
    FolderInTheWay,
    Io,
    ReadOnlyFileSystem
};
// 読み取り専用のファイルです / 通常のファイルではありません / ディスクの空き容量が足りません /
// 書き込みが許可されていません / フォルダがありません / 同じ名前のフォルダがあります / 入出力エラーです /
// 読み取り専用のファイルシステムです
std::string WriteFaultText(WriteFault fault);
std::string ErrorNumber(int error); // エラー番号 <n>
// ファイル「<path>」に書き込めません（<reason>）
std::string CannotWriteFile(std::string_view path, std::string_view reason);

// The data tree.
// <labelled name> が重複しています．\n\nフォルダが作成できませんでした．
std::string DataFolderTaken(std::string_view labelledName);
// 画地データ「<blk>」も開きますか？
std::string OpenParcelsToo(std::string_view blk);

// The GIS export.
std::string GdalSays(std::string_view text); // （GDAL: <text>）
std::string GdalLacksDriver(std::string_view driver); // この GDAL には「<driver>」形式を書き出す機能がありません
std::string DxfTemplateMissing();                     // GDAL の DXF ひな形（header.dxf）が見つかりません
// 出力形式が分かりません（拡張子は .dxf .gpkg .shp .kml .geojson のいずれかです）: <path>
std::string UnknownExportFormat(std::string_view path);
// <file> に点 <n> 件、画地 <m> 件を出力しました。
std::string Exported(std::string_view file, int points, int parcels);
std::string PointsLeftOut(int count); // \n点名か座標のない点、X・Y が 0.000 の点 <n> 件は出力していません。
std::string ParcelsLeftOut(int count); // \n座標のない点を含む画地 <n> 件は出力していません。
std::string NoCrsDefinition(int epsg); // 座標系の定義が見つかりません: EPSG:<n>
std::string ZoneOutOfRange(int zone);  // 座標系の番号 <n> は 1 から 19 ではありません
std::string CannotPrepareTransform(); // 座標変換を準備できません（PROJ のデータを確認してください）
std::string CannotConvertToLatLon(); // 緯度経度に変換できません
std::string CannotConvertToPlane();  // 平面直角座標に変換できません

// The file commands.
std::string FileOpenError(); // File Open Error !!
std::string NoRestoreData(); // リストアデータがありません!!
// [別に起動された Vemo から渡された]ファイル「<file>」は開けません（開けるのは <exts> のファイルです）:
// a file dropped, or handed over by a second start, whose extension names no format that opens by name;
// `extensions` lists those that do.
std::string NotAFileToOpen(std::string_view file, std::string_view extensions, bool handedOver);
std::string ProfileMissing();     // Profile File が見つかりません
std::string NoParcelsToSave();    // 保存する画地がありません!
std::string ChooseSiteToSaveIn(); // 保存先の現場をデータツリーで選択してください
std::string OverwritePoints();    // 座標を上書保存します
std::string OverwriteParcels();   // 画地を上書保存します
std::string DataNamesDiffer();    // データ名が異なります！強制保存しますか？
// 座標リスト / 画地データ / 座標リストと画地データ + に保存されていない変更があります．\n保存しますか？
std::string UnsavedChanges(bool points, bool parcels);
// オートセーブから復元したデータを「<data set>」に上書き保存します
std::string OverwriteWithRestored(std::string_view dataSet);
// 点名が16バイトを超える点が <n> 点あり，このままでは保存できません\n<names>\n\n
// 16バイトに切り詰めて読み込みますか？（キャンセル: 読み込みません）
std::string LongNamesQuestion(std::size_t count, std::string_view names);
// Status bar.
std::string PointsIn(std::string_view file, std::size_t count);  // <file> に <n> 点
std::string ParcelsIn(std::string_view file, std::size_t count); // <file> に <n> 画地
std::string AndParcels(std::size_t count);                       // ，<n> 画地
std::string ListSeparator();                                     // ，
std::string Saved(std::string_view what);                        // <what>を保存しました
std::string SaveDone();                                          // 【データ保存完了】 (before what was saved)
std::string NoChanges(std::string_view dataSet);                 // 変更はありません（<data set>）
std::string AutoSaveFailed(); // オートセーブできません: (before the reason)
std::string LinkFileFailed(); // Xyz.txt を出力できません: (before the reason)
// オートセーブから復元しました: <data set or データ名なし>（<time> の状態）
std::string RestoredFromAutoSave(std::string_view dataSet, std::string_view time);
std::string NoDataName(); // データ名なし

// Latitude and longitude.
std::string EnterXAndY();     // X と Y に数値を入力してください
std::string EnterLatLon();    // 緯度と経度を 度 分 秒 か 度 で入力してください
std::string ChooseSiteZone(); // この現場の平面直角座標系を選んでください

// The batch commands.
std::string CannotOpenInput(std::string_view path);             // 入力ファイルを開けません: <path>
std::string NoPointNamed(std::string_view name);                // 点名「<name>」がありません
std::string InParcel(std::string_view name);                    // 画地「<name>」: (before what is wrong with it)
std::string NoPdfInThisBuild();                                 // このビルドはPDFを出力できません
std::string CannotWriteStandardOutput(std::string_view reason); // 標準出力に書き込めません（<reason>）

} // namespace vemo::msg
