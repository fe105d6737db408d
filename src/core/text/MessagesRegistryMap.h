#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::msg {

// The messages of reading registry map files (地図XML) and their archives.  CP932 results; names, ids
// and paths passed in are CP932 already (ids are ASCII).

std::string CannotOpenMap(std::string_view path); // 地図XML「<path>」を開けません
// 地図XML「<path>」は <line> 行目から XML として読めません（<parser's reason>）
std::string MapNotXml(std::string_view path, std::size_t line, std::string_view reason);
// ファイル「<path>」は登記所備付地図データ（地図XML）ではありません
std::string NotRegistryMap(std::string_view path);
// 文字として読めないバイトなど <n> か所を〓に置き換えました（<lines> 行目）
std::string MapBytesRepaired(std::size_t count, const std::vector<std::size_t>& lines);
// <label> の値「<value>」は座標として読めません
std::string MapCoordinateUnreadable(std::string_view label, std::string_view value);
std::string MapIdTwice(std::string_view id); // 点 <id> が二度定義されています（後のものを使います）
std::string MapProblemAt(std::string_view file, std::size_t line, std::string_view text); // <file> <line>行目: <text>
std::string MapMoreProblems(std::string_view file, std::size_t count); // <file>: ほかに <n> 件の問題があります
// <file> の座標系は「<system>」で、最初の地図と異なります
std::string MapCoordinateSystemsDiffer(std::string_view file, std::string_view system);

// Rings.
std::string MapIdMissing(std::string_view id);       // <id> がファイルにありません
std::string MapCurvesDoNotMeet(std::string_view id); // 線 <id> が前の線とつながっていません
std::string MapRingOpen();                           // 境界が閉じていません
// 筆「<name>」は取り込みません: <reason>
std::string MapRingBroken(std::string_view name, std::string_view reason);
// 筆「<name>」の境界は自分自身と交差しています（そのまま取り込みました。確認してください）
std::string MapRingCrossesItself(std::string_view name);
// 筆「<name>」の内側の境界 <n> 個は取り込んでいません（外側の境界だけです）
std::string MapHolesLeftOut(std::string_view name, int holes);

// Names.
// 点番名「<name>」は使えない（長すぎる・重複・変換できない）ため「<generated>」としました
std::string MapPointRenamed(std::string_view name, std::string_view generated);
std::string MapParcelRenamed(std::string_view name,
                             std::string_view renamed); // 筆「<name>」は重複のため「<renamed>」としました
// 筆界点・基準点でない境界の点 <n> 点には「*」で始まる名前を付けました
std::string MapNamesGenerated(int count);
// 地区外・別図・形状のない筆 <n> 件は取り込みません: <listed>（ほか）
std::string MapParcelsSkipped(const std::string& listed, std::size_t count);
std::string NoSuchChiban(std::string_view chiban); // 地番「<chiban>」の筆は地図XMLにありません

// Limits.
std::string
MapTooManyPoints(std::size_t points,
                 int limit); // 点が <n> 点になり上限（<limit>点）を超えるため取り込めません（筆を選んでください）
std::string
MapTooManyParcels(std::size_t parcels,
                  int limit); // 筆が <n> 件になり上限（<limit>件）を超えるため取り込めません（筆を選んでください）

// Coordinate system and source.
// 座標系は「<system>」です:
// 点は任意の座標で、ヘルマート変換で基準点に合わせるまで地図上に置けず、測量した点とも合わせられません
std::string MapLocalCoordinates(std::string_view system);
// 測地系（JGD2000 / JGD2011）はファイルに書かれていません。平面直角座標はそのまま取り込みました
std::string MapDatumNotGiven();
// 出典：「登記所備付地図データ <city>」（法務省）<maps> を加工して作成
std::string RegistryMapSource(std::string_view city, const std::vector<std::string>& maps);
// 地図XML: 筆 <n> 件、点 <m> 点（座標系: <system>）
std::string MapImported(std::size_t parcels, std::size_t points, std::string_view system);

// 「<format>」形式は読むだけで、書き出せません
std::string FormatIsReadOnly(std::string_view format);

std::string MapMoreNotes(std::size_t count); // ほか <n> 件
// 現場「<site>」の座標系は <old> 系です。地図XMLに合わせて <new> 系にしますか？
std::string SiteZoneFromMapQuestion(std::string_view site, int oldZone, int newZone);

// Archives.
std::string MapArchiveUnreadable(std::string_view path,
                                 std::string_view reason); // ZIP ファイル「<path>」を読めません（<reason>）
std::string MapArchiveHasNoMap(std::string_view path);     // ZIP ファイル「<path>」に地図XMLがありません

} // namespace vemo::msg
