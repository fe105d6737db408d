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
    const std::string start = Jp("縮尺 ") + std::string(scale) + Jp(" では図面が用紙に収まりません。");
    if (fitting.empty()) {
        return start + Jp("標準の縮尺（1/1000まで）では収まりません。大きな用紙を選んでください。");
    }
    return start + Jp("収まる最大の縮尺は ") + std::string(fitting) + Jp(" です。");
}

std::string SiteInfoBadLine(std::string_view fileName, std::size_t line) {
    return std::string(fileName) + Jp(" の ") + std::to_string(line) +
           Jp(" 行目が正しくありません（項目名=値 の形で書いてください）");
}

std::string BreakInField(std::string_view field, std::string_view value) {
    return Jp("「") + std::string(field) + Jp("」に改行やタブは使えません: ") + std::string(value);
}

std::string DxfRefused(std::string_view what, std::string_view detail) {
    return Jp("DXFに書き出せません（") + std::string(what) + ": " + std::string(detail) + Jp("）");
}

std::string DxfLineWidthsLost() {
    return Jp("線の太さ（筆界線の太線と隣接地の細線）は画層で分けてあり、線幅そのものは出力されません。");
}

std::string DxfFillsLost() {
    return Jp("塗りつぶし（方位記号の半分、鋲などの黒丸）は輪郭線だけになります。");
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

} // namespace vemo::msg
