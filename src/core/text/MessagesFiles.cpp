#include "core/text/MessagesFiles.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string OpenParcelsToo(std::string_view blk) {
    return Jp("画地データ「") + std::string(blk) + Jp("」も開きますか？");
}

} // namespace vemo::msg
