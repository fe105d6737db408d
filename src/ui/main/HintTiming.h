#pragma once

namespace vemo {

// Hints appear without delay and stay up to 100,000 ms, long enough to read the long Japanese
// explanations while the mouse rests on a control.
void ApplyHintTiming();

} // namespace vemo
