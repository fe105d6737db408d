#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vemo {

// Milliseconds on a monotonic clock; the caller's clock (a real one or a test's).
using LinkMs = std::int64_t;

enum class ZubLinkState {
    Running,
    Succeeded, // sending: every line acknowledged; receiving: the end record came
    Failed,    // sending: a line was not acknowledged in the allowed attempts
    Cancelled, // the surveyor pressed Esc
};

// One transfer over the instrument link as a state machine without a port: the driver feeds it the
// bytes that arrived and the passing of time, writes out what it produced and stops when it is no
// longer Running.  Waiting is never done here, so the same machine runs over a serial port, a pseudo
// terminal or a test's fake clock.
class ZubLink {
public:
    virtual ~ZubLink() = default;

    virtual void Start(LinkMs now) = 0;
    virtual void Feed(std::string_view bytes, LinkMs now) = 0;
    // Lets a waiting time run out: the driver calls it at Deadline() (calling it earlier does nothing).
    virtual void Poll(LinkMs /*now*/) {}
    // When Poll must be called next; nothing while the machine only waits for bytes.
    virtual std::optional<LinkMs> Deadline() const { return std::nullopt; }

    void Cancel() {
        if (state_ == ZubLinkState::Running) {
            state_ = ZubLinkState::Cancelled;
        }
    }
    ZubLinkState State() const { return state_; }
    bool Running() const { return state_ == ZubLinkState::Running; }
    // Bytes to write to the line, in order; taking them empties the queue.
    std::string TakeOutput() { return std::exchange(output_, {}); }
    // The line the dialog shows (CP932): what was sent or received last.
    const std::string& Message() const { return message_; }

protected:
    void Finish(ZubLinkState state) { state_ = state; }
    void Write(std::string_view bytes) { output_ += bytes; }
    void Show(std::string message) { message_ = std::move(message); }

private:
    ZubLinkState state_ = ZubLinkState::Running;
    std::string output_;
    std::string message_;
};

} // namespace vemo
