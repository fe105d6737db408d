#include "core/text/MessagesRegistryMap.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

namespace {

std::string S(std::string_view text) {
    return std::string(text);
}

} // namespace

std::string CannotOpenMap(std::string_view path) {
    return Jp("地図XML「") + S(path) + Jp("」を開けません");
}

std::string MapNotXml(std::string_view path, std::size_t line, std::string_view reason) {
    return Jp("地図XML「") + S(path) + Jp("」は ") + std::to_string(line) + Jp(" 行目から XML として読めません（") +
           S(reason) + Jp("）");
}

std::string NotRegistryMap(std::string_view path) {
    return Jp("ファイル「") + S(path) + Jp("」は登記所備付地図データ（地図XML）ではありません");
}

std::string MapBytesRepaired(std::size_t count, const std::vector<std::size_t>& lines) {
    std::string listed;
    for (std::size_t i = 0; i < lines.size() && i < 10; ++i) {
        listed += (i ? Jp("、") : "") + std::to_string(lines[i]);
    }
    if (lines.size() > 10) {
        listed += Jp("ほか");
    }
    return Jp("文字として読めないバイトなど ") + std::to_string(count) + Jp(" か所を〓に置き換えました（") + listed +
           Jp(" 行目）");
}

std::string MapCoordinateUnreadable(std::string_view label, std::string_view value) {
    return S(label) + Jp(" の値「") + S(value) + Jp("」は座標として読めません");
}

std::string MapIdTwice(std::string_view id) {
    return Jp("点 ") + S(id) + Jp(" が二度定義されています（後のものを使います）");
}

std::string MapProblemAt(std::string_view file, std::size_t line, std::string_view text) {
    return S(file) + " " + std::to_string(line) + Jp("行目: ") + S(text);
}

std::string MapMoreProblems(std::string_view file, std::size_t count) {
    return S(file) + Jp(": ほかに ") + std::to_string(count) + Jp(" 件の問題があります");
}

std::string MapCoordinateSystemsDiffer(std::string_view file, std::string_view system) {
    return S(file) + Jp(" の座標系は「") + S(system) + Jp("」で、最初の地図と異なります");
}

std::string MapIdMissing(std::string_view id) {
    return S(id) + Jp(" がファイルにありません");
}

std::string MapCurvesDoNotMeet(std::string_view id) {
    return Jp("線 ") + S(id) + Jp(" が前の線とつながっていません");
}

std::string MapRingOpen() {
    return Jp("境界が閉じていません");
}

std::string MapRingBroken(std::string_view name, std::string_view reason) {
    return Jp("筆「") + S(name) + Jp("」は取り込みません: ") + S(reason);
}

std::string MapRingCrossesItself(std::string_view name) {
    return Jp("筆「") + S(name) + Jp("」の境界は自分自身と交差しています（そのまま取り込みました。確認してください）");
}

std::string MapHolesLeftOut(std::string_view name, int holes) {
    return Jp("筆「") + S(name) + Jp("」の内側の境界 ") + std::to_string(holes) +
           Jp(" 個は取り込んでいません（外側の境界だけです）");
}

std::string MapPointRenamed(std::string_view name, std::string_view generated) {
    return Jp("点番名「") + S(name) + Jp("」は使えない（長すぎる・重複・変換できない）ため「") + S(generated) +
           Jp("」としました");
}

std::string MapParcelRenamed(std::string_view name, std::string_view renamed) {
    return Jp("筆「") + S(name) + Jp("」は重複のため「") + S(renamed) + Jp("」としました");
}

std::string MapNamesGenerated(int count) {
    return Jp("筆界点・基準点でない境界の点 ") + std::to_string(count) + Jp(" 点には「*」で始まる名前を付けました");
}

std::string MapParcelsSkipped(const std::string& listed, std::size_t count) {
    return Jp("地区外・別図・形状のない筆 ") + std::to_string(count) + Jp(" 件は取り込みません: ") + listed +
           (count > 20 ? Jp("ほか") : "");
}

std::string NoSuchChiban(std::string_view chiban) {
    return Jp("地番「") + S(chiban) + Jp("」の筆は地図XMLにありません");
}

std::string MapTooManyPoints(std::size_t points, int limit) {
    return Jp("点が ") + std::to_string(points) + Jp(" 点になり上限（") + std::to_string(limit) +
           Jp("点）を超えるため取り込めません（筆を選んでください）");
}

std::string MapTooManyParcels(std::size_t parcels, int limit) {
    return Jp("筆が ") + std::to_string(parcels) + Jp(" 件になり上限（") + std::to_string(limit) +
           Jp("件）を超えるため取り込めません（筆を選んでください）");
}

std::string MapLocalCoordinates(std::string_view system) {
    return Jp("座標系は「") + S(system) +
           Jp("」です: "
              "点は任意の座標で、ヘルマート変換で基準点に合わせるまで地図上に置けず、測量した点とも合わせられません");
}

std::string MapDatumNotGiven() {
    return Jp("測地系（JGD2000 / JGD2011）はファイルに書かれていません。平面直角座標はそのまま取り込みました");
}

std::string RegistryMapSource(std::string_view city, const std::vector<std::string>& maps) {
    std::string listed;
    for (std::size_t i = 0; i < maps.size() && i < 5; ++i) {
        listed += (i ? Jp("、") : "") + maps[i];
    }
    if (maps.size() > 5) {
        listed += Jp("ほか");
    }
    return Jp("出典：「登記所備付地図データ ") + S(city) + Jp("」（法務省）") + listed + Jp(" を加工して作成");
}

std::string MapImported(std::size_t parcels, std::size_t points, std::string_view system) {
    return Jp("地図XML: 筆 ") + std::to_string(parcels) + Jp(" 件、点 ") + std::to_string(points) +
           Jp(" 点（座標系: ") + S(system) + Jp("）");
}

std::string FormatIsReadOnly(std::string_view format) {
    return Jp("「") + S(format) + Jp("」形式は読むだけで、書き出せません");
}

std::string MapMoreNotes(std::size_t count) {
    return Jp("ほか ") + std::to_string(count) + Jp(" 件");
}

std::string SiteZoneFromMapQuestion(std::string_view site, int oldZone, int newZone) {
    return Jp("現場「") + S(site) + Jp("」の座標系は ") + std::to_string(oldZone) + Jp(" 系です。地図XMLに合わせて ") +
           std::to_string(newZone) + Jp(" 系にしますか？");
}

std::string MapArchiveUnreadable(std::string_view path, std::string_view reason) {
    return Jp("ZIP ファイル「") + S(path) + Jp("」を読めません（") + S(reason) + Jp("）");
}

std::string MapArchiveHasNoMap(std::string_view path) {
    return Jp("ZIP ファイル「") + S(path) + Jp("」に地図XMLがありません");
}

} // namespace vemo::msg
