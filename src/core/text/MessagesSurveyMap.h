#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the survey map: what its drawing warns about, its information file, its DXF and
// its window.  CP932 like every message; names and paths passed in are CP932 already.

std::string NoSubjectParcel(); // 地積測量図の対象となる画地（地番）を選んでください
// Required items of the title block left empty, and a zone that is not known.
std::string DistrictMissing();   // 地番区域の名称が入力されていません。
std::string SurveyDateMissing(); // 測量年月日が入力されていません。
std::string MapMakerMissing();   // 作成者が入力されていません。
std::string ZoneUnknown(); // 平面直角座標系の番号が分かりません（--zone か VemoZone.txt で指定してください）。
// 表が用紙に収まりません（<n> 行を省きました）。大きな用紙を選んでください。
std::string TablesCutShort(std::size_t rowsLeftOut);
// 重ならずに置けなかったラベルが <n> 個あります。縮尺か用紙を変えてください。
std::string LabelsUnplaced(int count);
// "縮尺 <scale> では図面が用紙に収まりません。収まる最大の縮尺は <fitting> です。", or, when no standard
// scale fits (`fitting` empty), "…標準の縮尺（1/1000まで）では収まりません。大きな用紙を選んでください。".
std::string MapDoesNotFit(std::string_view scale, std::string_view fitting);

// The information file: "<file> の <n> 行目が正しくありません（項目名=値 の形で書いてください）".
std::string SiteInfoBadLine(std::string_view fileName, std::size_t line);
// 「<field>」に改行やタブは使えません: <value>
std::string BreakInField(std::string_view field, std::string_view value);

// DXF: "DXFに書き出せません（<what>: <detail>）" and what the format does not carry.
std::string DxfRefused(std::string_view what, std::string_view detail);
std::string DxfLineWidthsLost(); // 線の太さ（筆界線の太線と隣接地の細線）は画層で分けてあり、…
std::string DxfFillsLost(); // 塗りつぶし（方位記号の半分、鋲などの黒丸）は輪郭線だけになります。
std::string DxfFontsLost(); // 文字の字体は CAD 側の既定の字体になります（…）。

std::string MapWritten(std::string_view path, std::string_view notes); // <path> に出力しました。\n<notes>
std::string NoSiteFolderToSave(); // 現場フォルダが開かれていないため保存できません

} // namespace vemo::msg
