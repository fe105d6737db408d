#include "core/text/MessagesTraverseEnd.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string EndStationNameDiffers(std::string_view station, std::string_view end) {
    return Jp("結合トラバースの終点は「") + std::string(end) + Jp("」ですが、終点に着く測点行の測点は「") +
           std::string(station) +
           Jp("」です。終点と違う名前の点に終点の座標を付けることはできません。その行の測点名を終点名に"
              "直すか、終点を確かめてください");
}

} // namespace vemo::msg
