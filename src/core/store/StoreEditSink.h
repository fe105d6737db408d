#pragma once

namespace vemo {

struct StoreEdit;

// Receives the reversal of every change of the lists it is attached to, before the change is made
// (StoreEdit.h says what a reversal holds).
class StoreEditSink {
public:
    virtual ~StoreEditSink() = default;
    virtual void Record(StoreEdit&& edit) = 0;
    // An operation made of smaller ones (a removal of scattered runs) brackets them, so that it is one
    // change however it is carried out.
    virtual void BeginGroup() {}
    virtual void EndGroup() {}
};

// A list's link to its sink.  A copy of a list is not the list a history follows, so copying or moving
// a list leaves the copy without a sink.
class StoreEditSinkLink {
public:
    StoreEditSinkLink() = default;
    StoreEditSinkLink(const StoreEditSinkLink&) {}
    StoreEditSinkLink& operator=(const StoreEditSinkLink&) { return *this; }

    StoreEditSink* sink = nullptr;
    // Building a reversal costs copies, so the operations ask first.
    bool Wanted() const { return sink != nullptr; }
    void Record(StoreEdit&& edit) const {
        if (sink) {
            sink->Record(static_cast<StoreEdit&&>(edit));
        }
    }
};

// Brackets the smaller operations one operation is made of (StoreEditSink::BeginGroup).
class StoreEditGroup {
public:
    explicit StoreEditGroup(const StoreEditSinkLink& link) : sink_(link.sink) {
        if (sink_) {
            sink_->BeginGroup();
        }
    }
    ~StoreEditGroup() {
        if (sink_) {
            sink_->EndGroup();
        }
    }
    StoreEditGroup(const StoreEditGroup&) = delete;
    StoreEditGroup& operator=(const StoreEditGroup&) = delete;

private:
    StoreEditSink* sink_;
};

} // namespace vemo
