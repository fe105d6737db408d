#pragma once

#include "core/store/XyzList.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// What this program wrote to the coordinate link file "Xyz.txt" when the surveyor left it, so that on
// return the list is read back only when another program really changed the file.  Reading back a file
// nobody touched would cost the cursor position and the rows that are being typed (the link file holds
// only rows with X and Y).
class LinkFileState {
public:
    // Writes `bytes` to `path` (safely, see WriteFileAtomic) and remembers them.
    void Write(const std::filesystem::path& path, std::string_view bytes);
    // Forgets the last write (a failed write leaves nothing to read back).
    void Forget() { written_ = false; }
    bool Written() const { return written_; }

    // The file's bytes when it differs from what was written: size or time changed and the content
    // too (a program that only touched the file changed nothing).  Nothing when unchanged; vemo::Error
    // "File Open Error !!" is left to the caller: a missing file gives an empty optional and sets
    // `missing`.  A file an editor saved as UTF-8 throws vemo::Error (see RefuseUtf8Text).
    std::optional<std::string> ChangedBytes(const std::filesystem::path& path, bool& missing) const;

private:
    bool written_ = false;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type time_{};
    std::size_t hash_ = 0;
};

// The rows the link file cannot carry but the surveyor must not lose: every row with some text but
// without X or Y (the entry row with its proposed name, a half-typed point), in list order.
std::vector<int> RowsBeingTyped(const XyzList& list);

} // namespace vemo
