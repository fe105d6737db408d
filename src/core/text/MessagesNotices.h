#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::msg {

// What a command did, said in the status bar of its window: the input it changed and the files it
// wrote.  CP932 like all core text; names and paths passed in are CP932 already.

// <name> を<grid>に追加しました (a point clicked in the list or the plot went into a calculation grid)
std::string PointAddedToGrid(std::string_view name, std::string_view grid);
// 前点と重複：<name> は<grid>の前の行と同じ点です
std::string SameAsPreviousPointIn(std::string_view name, std::string_view grid);
std::string ParcelEditorGrid(); // 画地編集
std::string ShiftPathGrid();    // 平行移動点の経路
// <what>を書き出しました: <path>
std::string FileWritten(std::string_view what, std::string_view path);
std::string PdfFileKind();         // PDF ファイル
std::string GisFileKind();         // GIS/CAD ファイル
std::string TraverseListingKind(); // 計算簿
// 地積測量図の <format> ファイル (format: PDF, TIFF, DXF)
std::string SurveyMapFileKind(std::string_view format);
// SIMA ファイル（<n> 点，<m> 画地） / SIMA ファイル（<n> 点）: the coordinate list written to SIMA
std::string SimaFileKind(std::size_t points, std::size_t parcels);
std::string SimaFileKind(std::size_t points);
// 日調連ファイル（<n> 点）
std::string NichorenFileKind(std::size_t points);
std::string XyzLinkFileKind(); // エディタで開く座標リスト
// エディタを起動できません（テキストファイルを開くプログラムがありません）。座標リストは「<path>」に
// 書き出してあります：エディタで開いて直し，保存してから Vemo に戻ってください
std::string EditorNotStarted(std::string_view path);
// 座標リストに <n> 点を登録しました：<name>，<name>，…（<n> 点を超える分は「ほか <k> 点」）
std::string PointsRegisteredNamed(const std::vector<std::string>& names);
// 計算簿に計算結果を書きました（印刷・保存は計算簿の下のボタンで）
std::string ListingWritten();

} // namespace vemo::msg
