#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vemo::msg {

// Messages of the traverse computation and its file, CP932 like every message of the catalogue.

// "行 <row>: <what>": a row of the traverse table named in front of what is wrong with it.
std::string TraverseRow(int row, std::string_view what);

// Setups a row cannot be computed from; each names the point.
std::string SetupSamePoint(std::string_view name);     // 器械点と後視点が同じです: <name>
std::string SetupSamePosition(std::string_view name);  // 器械点と後視点が同じ位置です: <name>
std::string InstrumentNotFound(std::string_view name); // 器械点が見つかりません: <name>
std::string BacksightNotFound(std::string_view name);  // 後視点が見つかりません: <name>

// 閉合トラバースの精度計算には TM が T の測点行が 3 行以上必要です (結合: 2 行以上).
std::string TooFewStationRows(bool connected);
std::string TraverseDistanceZero();         // トラバースの距離合計が 0 です
std::string TooManyTraverseRows(int limit); // トラバースの観測は <limit> 行までです
// "<place> '<value>' は角度として大きすぎるか小さすぎます（<low> 度から <high> 度まで）".
std::string AngleOutOfRange(std::string_view place, std::string_view value, double low, double high);
// "<器械点|終点>「<name>」は座標リストになく、座標が入力されていません。…": a start or end point that
// would be computed from 0.000, 0.000.
std::string EndPointUnplaced(std::string_view role, std::string_view name);

// The warning of a misclosure beyond the limits ("誤差が大きすぎます。…"): the angle misclosure as
// text and in seconds over `stations` stations against its limit per station, the closure and ratio
// against the least ratio, and which observation is suspect.
struct MisclosureFigures {
    std::string_view angleText;
    std::int64_t angleSeconds = 0;
    int stations = 0;
    int angleLimitPerStation = 0;
    double closure = 0;
    std::int64_t ratio = 0;
    int minRatio = 0;
    bool angleSuspect = false;
};
std::string MisclosureTooLarge(const MisclosureFigures& figures);

// The traverse file (".Trv").
std::string TraverseFileLine(std::size_t line, std::string_view what); // トラバースファイルの <n> 行目: <what>
std::string TurningModeInvalid(std::string_view tm);                   // TM は T, O, K のどれかです: <tm>
std::string NotANumber(std::string_view text);                         // 数値ではありません: <text>
std::string TraverseTypeInvalid(int type); // トラバースの型が正しくありません: <type>

// vemo-cli traverse.
// 基点データ（器械点、後視点の方向角、結合の終点）が足りないため計算できません
std::string TraverseStartIncomplete();

} // namespace vemo::msg
