#pragma once

#include "core/serial/ZubLink.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

struct ZubSendTiming {
    // A read of one byte gives up after this long: the attempt ends and the line goes again.
    LinkMs replyTimeoutMs = 2000;
    int attempts = 60;
};

// Sends record lines one after the other.  Each line is written whole and then the reply is collected
// up to its CR (LF ignored): only the whole acknowledgement line (06 2C 52 2C) accepts the line; any
// other reply or a silence of replyTimeoutMs sends it again.  A line not accepted after `attempts` sends fails
// the transfer.  Bytes that arrive in the same batch after a complete reply are dropped: they left the
// other side before the next line went out, so they are no answer to it.
// What the dialog shows while sending (CP932), in words: "送信中 3 / 102 行: 点 P2", with the attempt
// when the line goes again.
std::string ZubSendStatus(std::string_view line, int index, int count, int attempt);

class ZubSender : public ZubLink {
public:
    explicit ZubSender(std::vector<std::string> recordLines, ZubSendTiming timing = {});

    void Start(LinkMs now) override;
    void Feed(std::string_view bytes, LinkMs now) override;
    void Poll(LinkMs now) override;
    std::optional<LinkMs> Deadline() const override;

    // Lines acknowledged so far.
    int Accepted() const { return accepted_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }

private:
    void SendCurrent(LinkMs now);
    void Retry(LinkMs now);
    void OnReplyEnd(LinkMs now);

    std::vector<std::string> lines_;
    ZubSendTiming timing_;
    int accepted_ = 0;
    int attempt_ = 0;
    std::string reply_;
    LinkMs deadline_ = 0;
};

} // namespace vemo
