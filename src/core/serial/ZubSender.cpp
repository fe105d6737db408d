#include "core/serial/ZubSender.h"

#include "core/serial/ZubLine.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFields.h"

namespace vemo {

namespace {

// The acknowledgement line without its CR LF.
const std::string kAckLine = ZubRecordLine(std::string{kZubAck, ','});

} // namespace

std::string ZubSendStatus(std::string_view line, int index, int count, int attempt) {
    std::string what;
    if (line.starts_with("G,")) {
        const auto fields = SplitZubBody(line.substr(0, line.size() - 2));
        what = msg::ZubPointWord(fields && fields->size() > 1 ? (*fields)[1] : std::string());
    } else if (line.starts_with("A,")) {
        what = msg::ZubStartRecordWord();
    } else if (line.starts_with("Z,")) {
        what = msg::ZubEndRecordWord();
    } else {
        what = msg::ZubRecordWord();
    }
    return msg::ZubSending(index, count, what, attempt);
}

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
    Show(ZubSendStatus(line, accepted_ + 1, LineCount(), attempt_ + 1));
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
    // Only the whole acknowledgement line accepts: a reply damaged on the line may hold the ACK byte
    // and yet have been a NAK, or be no answer at all, and a line taken as delivered is lost.
    if (reply_ != kAckLine) {
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
