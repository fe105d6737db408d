#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// Messages of the network adjustment (網平均) and of the network files it reads, CP932.  Point names
// are CP932 bytes as the data holds them.

// Networks that cannot be adjusted.
std::string NetworkNoNewPoints();                           // 平均する新点がありません
std::string NetworkPointUnconnected(std::string_view name); // 点 <name> は観測で既知点とつながっていません
std::string NetworkPointNoApproximate(std::string_view name); // 点 <name> の仮定座標を観測から求められません…
std::string NetworkPointUndetermined(std::string_view name);  // 点 <name> の位置が観測で定まりません…
std::string NetworkSetUndetermined(std::string_view station); // 器械点 <name> の方向の標定が定まりません
std::string NetworkTooFewObservations(int equations, int unknowns); // 観測 <n> 個では未知数 <m> 個を…
std::string NetworkNotConverging(int iterations); // <n> 回反復しても補正量が 0.1 mm 未満になりません
std::string NetworkBadSigma(std::string_view from, std::string_view to); // <from>→<to> の観測の標準偏差が…
std::string NetworkZeroDistance(std::string_view from, std::string_view to); // <from> と <to> が同じ位置…

// Notes of a successful adjustment.
std::string NetworkFreeDatum(); // 既知点がないため、仮定座標の重心と向きを保つ最小ノルムの基準で平均しました（自由網）

// The network file (.gkf).
std::string GkfCannotRead(std::string_view path); // 網ファイル <path> を読めません
std::string GkfAtLine(std::string_view path, long line, std::string_view what); // <path> の <n> 行目: <what>
std::string GkfNotWellFormed(std::string_view reason); // XML として読めません（<reason>）
std::string GkfNotNetwork();                           // gama-local の網ファイルではありません
std::string GkfUnsupported(std::string_view element); // 要素 <element> は扱えません（…だけを平均します）
std::string GkfBadValue(std::string_view attribute, std::string_view value);  // 属性 <attr> の値 "<v>" が…
std::string GkfMissing(std::string_view element, std::string_view attribute); // 要素 <e> に属性 <a> が…
std::string GkfNoSigma(std::string_view element);           // 要素 <element> の標準偏差がありません
std::string GkfUnknownPoint(std::string_view name);         // 点 <name> が点の一覧にありません
std::string GkfUnsupportedPointRole(std::string_view role); // 点の区分 "<role>" は扱えません（xy だけ）
std::string GkfCorrelatedCoordinates(); // 座標どうしの共分散（cov-mat の非対角要素）は扱えません

// Field books (ZUB) as network observations.
std::string FieldBookDistanceWithoutZenith(std::string_view station,
                                           std::string_view target); // 器械点 <s> から <t> への距離は…

// The network adjustment window.
std::string NetworkWeightInvalid(std::string_view field, std::string_view text); // <field> の値 "<text>" は正の数…
std::string NetworkPointsRegistered(int count); // 網平均の新点 <count> 点を座標リストに登録しました

} // namespace vemo::msg
