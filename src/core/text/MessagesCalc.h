#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the calculations: constructions, point grids, the transformation and the
// constant-area division.  CP932 like all core text; names passed in are CP932 already.

// Names typed into a point grid.
// SameAsPreviousPoint (前点と重複) is in Messages.h.
std::string SameAsBasePoint(); // 基点と同一点

// Constructions.
std::string CircleThroughCollinearPoints(); // 円上の3点が一直線上にあるため円が決まりません！
std::string LineMissesCircle();             // 直線と円が交差していません！
std::string CirclesDoNotMeet();             // 円と円が交差していません！
std::string CornerSidesCollinear(); // 隅切の2辺が一直線上にあるため隅切点が決まりません！
std::string LinesParallel();        // 2直線が平行なため交点が決まりません！

// The fields of a calculation tab made from its definition; captions are CP932.
std::string CalcFieldMissing(std::string_view caption);   // <caption> を入力してください
std::string CalcFieldNotNumber(std::string_view caption); // <caption> は数値で入力してください
std::string CalcFieldOutOfRange(std::string_view caption, std::string_view minimum,
                                std::string_view maximum); // <caption> は <min> ～ <max> で入力してください
std::string CalcFieldsDoNotFit(std::string_view detail); // 入力の組み合わせが正しくありません (<detail>)
// 平行移動点の経路は<limit>点までです（<count>点あります）
std::string ShiftPathTooLong(int limit, std::size_t count);
std::string ShiftPathZeroLeg(); // 経路に長さのない辺があるため移動点が決まりません！
// 経路の<ordinal>番目の点で前後の辺が一直線上にあるため移動点が決まりません！
std::string ShiftPathStraightAt(std::size_t ordinal);

// Angles typed as degrees.minutes-seconds.
std::string AngleNotNumber();                      // 角度が数値ではありません
std::string AngleTooLarge(std::string_view angle); // 角度 <angle> は大きすぎます

// The coordinate transformation.
std::string TransformPairIncomplete(); // 変換元点名と対応する変換先点名を指定してください
std::string TransformPointsCoincide(); // 2点が同じ位置にあるため回転角が求まりません
std::string TransformOldPointsCoincide(); // 旧系の点がすべて同じ位置にあるため変換係数が求まりません
std::string TransformNothingSelected(); // 変換元座標を1点以上指定してください

// The constant-area division.
std::string DivisionParcelMissing();   // 分割元地を入力してください
std::string DivisionBoundaryCrosses(); // 分割元地の境界が交差しているため分割できません
std::string DivisionAreaUnreachable(); // 分割面積が確保できません
// 分割線が画地の境界と4か所以上で交わり、画地が3つ以上に分かれるため分割できません
std::string DivisionIntoManyPieces();
std::string DivisionLineLeavesParcel(); // 基1とP1を結ぶ分割線が画地の外を通るため分割できません
std::string BaseLineMissing();          // 基準線未入力！
std::string BaseLinePointsCoincide();   // 基準線の2点が同じ位置です
std::string StartPointMissing();        // 始点未入力！
std::string ParcelNumberMissing();      // 地番を入力してください
std::string ParcelNumberTaken(std::string_view number); // 地番 <number> は既に登録されています
std::string SameNameForP1AndP2();                       // P1とP2に同じ点名は付けられません
std::string SameNumberForBothParts();                   // 求積側と残地側に同じ地番は付けられません

} // namespace vemo::msg
