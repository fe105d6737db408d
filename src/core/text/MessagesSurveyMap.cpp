#include "core/text/MessagesSurveyMap.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string NoSubjectParcel() {
    return Jp("地積測量図の対象となる画地（地番）を選んでください");
}

std::string DistrictMissing() {
    return Jp("地番区域の名称が入力されていません。");
}

std::string SurveyDateMissing() {
    return Jp("測量年月日が入力されていません。");
}

std::string MapMakerMissing() {
    return Jp("作成者が入力されていません。");
}

std::string CreatedDateMissing() {
    return Jp("作成年月日が入力されていません。");
}

std::string ApplicantMissing() {
    return Jp("申請人が入力されていません。");
}

std::string CategoryMissing(std::string_view parcel) {
    return Jp("地番 ") + std::string(parcel) + Jp(" の地目が選ばれていません。");
}

std::string CategoryNotLegal(std::string_view parcel, std::string_view text) {
    return Jp("地番 ") + std::string(parcel) + Jp(" の地目「") + std::string(text) +
           Jp("」は登記の地目（田、畑、宅地 … 雑種地）ではありません。");
}

std::string UnknownMarkerKind(std::string_view kind, std::string_view firstPoint, std::size_t points) {
    return Jp("点種「") + std::string(kind) + Jp("」（") + std::string(firstPoint) + Jp(" など ") +
           std::to_string(points) + Jp(" 点）に当てる境界標の記号がありません。記号の対応に加えてください。");
}

std::string DraftPaper(std::string_view paper) {
    return Jp("用紙 ") + std::string(paper) + Jp(" は下書き用です（登記所に出す地積測量図は B4 です）。");
}

std::string NoControlPoint() {
    return Jp("基準点（測量の基礎とした点）がありません。点種か点名で選んでください。");
}

std::string ZoneUnknown() {
    return Jp("平面直角座標系の番号が分かりません（--zone か VemoZone.txt で指定してください）。");
}

std::string TablesCutShort(std::size_t rowsLeftOut) {
    return Jp("表が用紙に収まりません（") + std::to_string(rowsLeftOut) +
           Jp(" 行を省きました）。大きな用紙を選んでください。");
}

std::string LabelsUnplaced(int count) {
    return Jp("重ならずに置けなかったラベルが ") + std::to_string(count) +
           Jp(" 個あります。縮尺か用紙を変えてください。");
}

std::string MapDoesNotFit(std::string_view scale, std::string_view fitting) {
    const std::string start = Jp("縮尺 ") + std::string(scale) + Jp(" では対象の画地が用紙に収まりません。");
    if (fitting.empty()) {
        return start + Jp("1/2500 までのどの縮尺でも収まりません。");
    }
    return start + Jp("収まる縮尺は ") + std::string(fitting) + Jp(" です。");
}

std::string MapFitsNoScale() {
    return Jp("対象の画地は 1/2500 までのどの縮尺でも用紙に収まりません。画地を分けて描いてください。");
}

std::string SiteInfoBadLine(std::string_view fileName, std::size_t line) {
    return std::string(fileName) + Jp(" の ") + std::to_string(line) +
           Jp(" 行目が正しくありません（項目名=値 の形で書いてください）");
}

std::string BreakInField(std::string_view field, std::string_view value) {
    return Jp("「") + std::string(field) + Jp("」に改行やタブは使えません: ") + std::string(value);
}

std::string SiteInfoBadCategory(std::string_view fileName, std::size_t line, std::string_view parcel,
                                std::string_view text) {
    return std::string(fileName) + Jp(" の ") + std::to_string(line) + Jp(" 行目: ") + CategoryNotLegal(parcel, text);
}

std::string TiffRefused(std::string_view detail) {
    return Jp("TIFF を作れません（") + std::string(detail) + Jp("）");
}

std::string MapItemsMissing(std::string_view items) {
    return Jp("地積測量図に次の不備があります。\n") + std::string(items) + Jp("\nこのまま出力しますか？");
}

std::string DxfRefused(std::string_view what, std::string_view detail) {
    return Jp("DXFに書き出せません（") + std::string(what) + ": " + std::string(detail) + Jp("）");
}

std::string DxfLineWidthsLost() {
    return Jp("線の太さ（筆界線の太線と隣接地の細線）は画層で分けてあり、線幅そのものは出力されません。");
}

std::string DxfFontsLost() {
    return Jp("文字の字体は CAD 側の既定の字体になります（表の桁は等幅の字体で揃います）。");
}

std::string MapWritten(std::string_view path, std::string_view notes) {
    return std::string(path) + Jp(" に出力しました。\n") + std::string(notes);
}

std::string NoSiteFolderToSave() {
    return Jp("現場フォルダが開かれていないため保存できません");
}

std::string SurveyMapUnsaved() {
    return Jp("地積測量図の入力（表題の欄、区分、地目）が保存されていません。保存しますか？");
}

} // namespace vemo::msg
