#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemo::msg {

// Messages of the precision checks of traverses and field books, CP932 like every message of the
// catalogue.

// 測点 <station> の夾角に約 <size> の誤りがある可能性があります
std::string AngleBlunderAt(std::string_view station, std::string_view size);
// 測点 <from> から <to> の距離に約 <metres> m の誤りがある可能性があります
std::string DistanceBlunderAt(std::string_view from, std::string_view to, double metres);
// "<from> から <to>": a leg named in the alternatives below.
std::string LegName(std::string_view from, std::string_view to);
// "（<leg>、<leg> の距離の可能性もあります）", after DistanceBlunderAt.
std::string OtherLegsPossible(const std::vector<std::string>& legs);
// <class> の制限を満たしていません: <what>
std::string PrecisionLimitExceeded(std::string_view className, std::string_view what);
// 誤差が大きすぎます（閉合比 1/1,000 より悪いか、測角誤差が 5′ を超えています）: <what>
std::string GrossMisclosure(std::string_view what);
// The question before registering a traverse that fails its class.
std::string RegisterFailingTraverse(std::string_view className, std::string_view what);
// 精度の級が正しくありません: <text>（1 から 4、甲一 から 乙三、user:比:秒）
std::string SurveyClassInvalid(std::string_view text);
// Field book: 測点 <station> の <figure> <value>″ が制限 <limit>″ を超えています
std::string ObservationOverLimit(std::string_view station, std::string_view figure, std::string_view value,
                                 std::string_view limit);
// The reduction of a field book: stations that fail: 観測の制限を超えた測点: <names>
std::string StationsOverLimit(std::string_view names);
// The transfer of a book with both faces: 転記: 正反の平均、対回の平均（正観測のみの転記は選択で） /
// 転記: 正観測のみ（反観測は使っていません）.
std::string ZubReductionUsed(bool faceMean);
// The heading of the 精度管理表 is kept beside the traverse file, which has no name yet.
std::string SheetHeadingNeedsTraverseFile();
// 精度管理表の見出しの「<field>」に Shift-JIS で表せない文字があります
std::string SheetHeadingNotCp932(std::string_view field);

} // namespace vemo::msg
