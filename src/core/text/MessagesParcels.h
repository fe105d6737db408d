#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of parcels and of the point selection: entering a parcel's ring or a selection, and a
// parcel a drawing asks for.  CP932 like every message; names passed in are CP932 already.

std::string RunOnlyOnLastRow(); // 連番入力（+点名）は最後の行で入力してください
std::string NumberNotFound(std::string_view name); // № <name> は見つかりません
std::string NumberTwice();                         // №重複
std::string ParcelNotFormed();                     // 画地が構成されていません
// "画地が閉じていません\n最後の行に始点の点名「<first>」をもう一度入力してください"
std::string ParcelNotClosed(std::string_view firstPoint);
std::string DeleteParcelQuestion(std::string_view parcel); // 画地「<parcel>」を削除します
std::string ParcelNotFound(std::string_view parcel);       // 画地「<parcel>」がありません
std::string ParcelTooFewPoints(std::string_view parcel);   // 画地「<parcel>」の点が3点に足りません
// 画地「<parcel>」の点「<point>」が座標リストにありません
std::string ParcelPointNotInList(std::string_view parcel, std::string_view point);

} // namespace vemo::msg
