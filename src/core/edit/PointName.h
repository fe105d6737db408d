#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

// NextPointName: the name proposed for the point after `previous`.  Surveyors number points with a
// prefix and a counter (T009, K-10, BP-1); the trailing run of ASCII digits is counted up (Inc) or down
// (Dec) and keeps its width with leading zeros: T009 -> T010, K-10 (Dec) -> K-09, A99 -> A100.
//  - ""                      -> "1"
//  - one digit alone ("5")   -> that digit plus one in both modes ("9" -> "10")
//  - no trailing digits ("T")-> "T2"
//  - Dec with a run of 0     -> "" (there is no point before number zero)
// A digit run that does not fit a 32-bit integer throws vemo::Error "'<run>' は整数ではありません".
std::string NextPointName(std::string_view previous, bool increment);

// A point name is stored in a 16-byte field of the coordinate file; a longer one could not be saved
// (and would make every save refuse), so no rename or proposed name may produce one.
constexpr size_t kPointNameBytes = 16;

// Throws vemo::Error "点名 'N100…' は16バイトを超えるため付けられません" for a name that does not fit.
void RequireStorableName(std::string_view name);

// The name reached by applying NextPointName `steps` times, without walking every step: renaming tens
// of thousands of duplicates must not cost one string operation per skipped number.  Throws exactly
// when one of the single steps would.
std::string AdvancePointName(std::string_view start, bool increment, std::uint64_t steps);

} // namespace vemo
