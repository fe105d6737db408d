#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzNameIndex;

// "+name" entry: the surveyor types "+T10" after T5 to take every point of the run T6 … T10 that the
// coordinate list holds.  `previous` is the name in the row above, `target` the text after the "+".
//
// Returns nothing (the cell is emptied) when the two names are equal, the target is not in the list or
// the names differ in front of their trailing digit runs.  Otherwise the names of the run strictly
// between the two numbers, in stepping order (upwards when the previous number is the smaller), written
// with the previous name's digit width as the numbering keeps it (T009, T010), that the index holds,
// followed by the target itself.  The run always ends at the target's number: a target written with a
// different width (+T010 after T5, +T5 after T05) ends the run there and is then entered as typed, and
// counting down from a lone digit steps down like any other number.
std::optional<std::vector<std::string>> SequenceNames(std::string_view previous, std::string_view target,
                                                      const XyzNameIndex& index);

} // namespace vemo
