#include "core/serial/ZubSender.h"

#include "core/serial/ZubLine.h"
#include "core/text/Cp932.h"

namespace vemo {

ZubSender::ZubSender(std::vector<std::string> recordLines, ZubSendTiming timing)
    : lines_(std::move(recordLines)), timing_(timing) {}

void ZubSender::Start(LinkMs now) {
    if (lines_.empty()) {
        Finish(ZubLinkState::Succeeded);
        return;
    }
    SendCurrent(now);
}

void ZubSender::SendCurrent(LinkMs now) {
    const std::string& line = lines_[accepted_];
    Write(ZubWire(line));
    Show(Jp(" 送信：") + line);
    reply_.clear();
    ++attempt_;
    deadline_ = now + timing_.replyTimeoutMs;
}

void ZubSender::Retry(LinkMs now) {
    if (attempt_ >= timing_.attempts) {
        Finish(ZubLinkState::Failed);
        return;
    }
    SendCurrent(now);
}

void ZubSender::OnReplyEnd(LinkMs now) {
    if (reply_.find(kZubAck) == std::string::npos) {
        Retry(now);
        return;
    }
    attempt_ = 0;
    if (++accepted_ == LineCount()) {
        Finish(ZubLinkState::Succeeded);
        return;
    }
    SendCurrent(now);
}

void ZubSender::Feed(std::string_view bytes, LinkMs now) {
    for (const char c : bytes) {
        if (!Running()) {
            return;
        }
        // Every byte that arrives restarts the wait for the next one.
        deadline_ = now + timing_.replyTimeoutMs;
        if (c == '\n') {
            continue;
        }
        if (c != '\r') {
            reply_ += c;
            continue;
        }
        OnReplyEnd(now);
        // What arrived together with this reply was sent before the line that has just gone out, so
        // it cannot answer it.  Taken as its answer, a second reply to one line (a line split in two
        // by noise gets two NAKs) would acknowledge the next line in the instrument's place.
        return;
    }
}

void ZubSender::Poll(LinkMs now) {
    if (Running() && now >= deadline_) {
        Retry(now);
    }
}

std::optional<LinkMs> ZubSender::Deadline() const {
    return Running() ? std::optional<LinkMs>(deadline_) : std::nullopt;
}

} // namespace vemo
