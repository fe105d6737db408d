#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// A connected traverse whose last station row does not reach the end point by name: its coordinates
// would be taken over by a station of another name.  Names both ("結合トラバースの終点は「<end>」ですが、
// 最後の測点行の測点は「<station>」です。…").
std::string EndStationNameDiffers(std::string_view station, std::string_view end);

} // namespace vemo::msg
