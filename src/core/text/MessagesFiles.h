#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the file commands, the file formats, the GIS export and the batch commands that read
// and write files.  CP932 results; names and paths passed in are CP932 already.

// 画地データ「<blk>」も開きますか？
std::string OpenParcelsToo(std::string_view blk);

} // namespace vemo::msg
