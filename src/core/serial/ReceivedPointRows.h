#pragma once

#include "core/serial/ZubLine.h"
#include "core/text/Error.h"

#include <memory>
#include <string>
#include <unordered_set>

namespace vemo {

class NewPointNames;
class XyzList;

// Puts received points into the coordinate list one by one.  They go after the last row that holds a
// coordinate (X or Y other than empty and "0.000"); of the rows there, only those without a name are
// reused (their type and remark stay), and a point that finds none is appended.  A row with a name is
// never overwritten, even with empty coordinates: it is a point the surveyor typed and will fill in.
// The names follow the new-point rule (NewPointNames.h): a row holding the received name and nothing
// else is filled with its coordinates; an empty or too long name, one the list holds as a point, or
// one received twice is refused.
// A received point whose name the rule refuses.  When noise on the line can have made the name so
// (it was received before in this transfer, it is empty, too long, holds a control byte or half a
// character) the receive asks for the line again; otherwise (a name the list held before the transfer)
// it takes the line as arrived, goes on with the next point and names it in its closing report.
class RefusedPointName : public Error {
public:
    RefusedPointName(const std::string& cp932Message, bool noiseCanCause)
        : Error(cp932Message), noiseCanCause_(noiseCanCause) {}
    bool NoiseCanCause() const { return noiseCanCause_; }

private:
    bool noiseCanCause_ = false;
};

class ReceivedPointRows {
public:
    explicit ReceivedPointRows(XyzList& list);
    ~ReceivedPointRows();

    // Throws RefusedPointName when the name is refused, vemo::Error when the list is full; the points
    // put so far stay.
    void Add(const ReceivedPoint& point);
    int Count() const { return count_; }

private:
    XyzList& list_;
    int next_;
    int count_ = 0;
    std::unique_ptr<NewPointNames> names_;
    std::unordered_set<std::string> received_; // names stored in this transfer
};

} // namespace vemo
