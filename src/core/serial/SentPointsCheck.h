#pragma once

#include "core/serial/ZubLine.h"

#include <string>
#include <vector>

namespace vemo {

// 送信内容の照合: a stake-out list sent over a noisy line may reach the instrument changed past the
// six-bit check character (a comma turned into a letter, a digit into another), and the program only
// hears that every line was acknowledged.  The surveyor receives the instrument's job back and
// compares it, point by point, with what was sent.

// The differences, one CP932 line each, in the order of the send list: a point that did not come
// back, a point that came back with other X or Y (millimetres, as sent), and at the end the points
// that came back but were never sent (a name changed on the way).  Heights are not compared: the
// coordinate send leaves them empty.  Empty when everything sent came back as it was sent.
std::vector<std::string> CompareSentPoints(const ZubSendList& sent, const std::vector<ReceivedPoint>& back);

// The closing message: "送った <n> 点はすべて測器の作業と一致しました" or
// "送った <n> 点のうち <m> 点が測器の作業と違います:" followed by the differences.
std::string SentPointsCheckReport(const ZubSendList& sent, const std::vector<ReceivedPoint>& back);

} // namespace vemo
