#pragma once

namespace vemo {

// How a tab made from a calculation's definition works in the window.
struct FormStyle {
    // The constructions: every change of an input computes at once, and the new points show as P1 (and
    // P2) with the names they are registered under by 登録.  Otherwise 計算 fills a listing.
    bool resultPanel = false;
    bool twoSolutions = false; // P2 shown, P1 can be unticked
    bool secondTicked = false; // P2 starts ticked (both ends of a corner cut are usually wanted)
    const char* remark = "";   // remark of the registered points (UTF-8)
    // Input ids, separated by ',', kept for the next point after 登録; the others are emptied.
    const char* kept = "";
};

} // namespace vemo
