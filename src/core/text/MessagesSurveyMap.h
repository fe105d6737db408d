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
std::string CreatedDateMissing(); // 作成年月日が入力されていません。
std::string ApplicantMissing();   // 申請人が入力されていません。
// 地番 <parcel> の地目が選ばれていません。
std::string CategoryMissing(std::string_view parcel);
// 地番 <parcel> の地目「<text>」は登記の地目（田、畑、宅地 … 雑種地）ではありません。
std::string CategoryNotLegal(std::string_view parcel, std::string_view text);
// 点種「<kind>」（<point> など <n> 点）に当てる境界標の記号がありません。記号の対応に加えてください。
std::string UnknownMarkerKind(std::string_view kind, std::string_view firstPoint, std::size_t points);
// 基準点（測量の基礎とした点）がありません。点種か点名で選んでください。
std::string NoControlPoint();
// 用紙 <paper> は下書き用です（登記所に出す地積測量図は B4 です）。
std::string DraftPaper(std::string_view paper);
// 表が用紙に収まりません（<n> 行を省きました）。大きな用紙を選んでください。
std::string TablesCutShort(std::size_t rowsLeftOut);
// 重ならずに置けなかったラベルが <n> 個あります。縮尺か用紙を変えてください。
std::string LabelsUnplaced(int count);
// "縮尺 <scale> では対象の画地が用紙に収まりません。収まる縮尺は <fitting> です。", or, when no scale of
// the list fits (`fitting` empty), "…1/2500 までのどの縮尺でも収まりません。…".
std::string MapDoesNotFit(std::string_view scale, std::string_view fitting);
// 対象の画地は 1/2500 までのどの縮尺でも用紙に収まりません。画地を分けて描いてください。
std::string MapFitsNoScale();

// The information file: "<file> の <n> 行目が正しくありません（項目名=値 の形で書いてください）".
std::string SiteInfoBadLine(std::string_view fileName, std::size_t line);
// 「<field>」に改行やタブは使えません: <value>
std::string BreakInField(std::string_view field, std::string_view value);

// "<file> の <n> 行目: " + CategoryNotLegal(parcel, text).
std::string SiteInfoBadCategory(std::string_view fileName, std::size_t line, std::string_view parcel,
                                std::string_view text);

// TIFF: "TIFF を作れません（<detail>）".
std::string TiffRefused(std::string_view detail);
// 記載漏れ: the heading of the list a window shows before printing, and its question.
std::string
MapItemsMissing(std::string_view items); // 地積測量図に次の不備があります。\n<items>\nこのまま出力しますか？

// DXF: "DXFに書き出せません（<what>: <detail>）" and what the format does not carry.
std::string DxfRefused(std::string_view what, std::string_view detail);
std::string DxfLineWidthsLost(); // 線の太さ（筆界線の太線と隣接地の細線）は画層で分けてあり、…
std::string DxfFontsLost(); // 文字の字体は CAD 側の既定の字体になります（…）。

std::string MapWritten(std::string_view path, std::string_view notes); // <path> に出力しました。\n<notes>
std::string NoSiteFolderToSave();
std::string SurveyMapUnsaved(); // 地積測量図の入力（表題の欄、区分、地目）が保存されていません。保存しますか？ //
                                // 現場フォルダが開かれていないため保存できません

} // namespace vemo::msg
