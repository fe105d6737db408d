// The send loop against replies typed into it at chosen moments of a fake clock.
#include "core/serial/ZubSender.h"
#include "core/serial/ZubLine.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

const std::string kAck = ZubAckWire();
const std::string kNak = ZubNakWire();
const std::vector<std::string> kLines = {"A,01,Z,", "G,P1,100.5,200.25,,_,", "Z,&,"};

std::string Wire(const std::vector<std::string>& lines) {
    std::string wire;
    for (const std::string& line : lines) {
        wire += ZubWire(line);
    }
    return wire;
}

TEST(ZubSender, EachLineGoesOnceWhenAcknowledged) {
    ZubSender sender(kLines);
    sender.Start(0);
    std::string written = sender.TakeOutput();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(sender.Running());
        sender.Feed(kAck, 10 * i);
        written += sender.TakeOutput();
    }
    EXPECT_EQ(sender.State(), ZubLinkState::Succeeded);
    EXPECT_EQ(written, Wire(kLines));
    EXPECT_EQ(sender.Accepted(), 3);
}

TEST(ZubSender, RepliesDecideBetweenNextLineAndRepeat) {
    struct Case {
        std::string reply;
        bool accepted;
        const char* why;
    };
    const Case cases[] = {
        {kAck, true, "the acknowledgement line"},
        {"\x06,R,\r", true, "the acknowledgement line without its LF"},
        {"xy\x06z\r", false, "0x06 inside a damaged reply: it may have been a NAK, the line goes again"},
        {"\x06,\x92,\r\n", false, "a damaged check character"},
        {"\x15,\x86,\r\n", false, "a NAK with a check character moved by 64 (0x21 -> ...)"},
        {"{\x06,R,\r\n", false, "0x7B is a byte like any other, here damaging the reply"},
        {kNak, false, "negative acknowledgement"},
        {"\n\n\r", false, "an empty reply"},
        {"R,\r\n", false, "an acknowledgement whose 0x06 was lost"},
        {kNak + kAck, false, "a second reply that left before the line went again answers nothing"},
    };
    for (const Case& c : cases) {
        ZubSender sender(kLines);
        sender.Start(0);
        sender.TakeOutput();
        sender.Feed(c.reply, 5);
        EXPECT_EQ(sender.TakeOutput(), ZubWire(kLines[c.accepted ? 1 : 0])) << c.why;
        EXPECT_EQ(sender.Accepted(), c.accepted ? 1 : 0) << c.why;
    }
}

TEST(ZubSender, SilentReceiverGetsSixtyAttemptsTwoSecondsApart) {
    ZubSender sender(kLines);
    sender.Start(0);
    int sends = 0;
    LinkMs now = 0;
    while (sender.Running()) {
        sends += sender.TakeOutput() == ZubWire(kLines[0]);
        sender.Poll(*sender.Deadline() - 1); // a moment too early changes nothing
        EXPECT_EQ(sender.TakeOutput(), "");
        now = *sender.Deadline();
        sender.Poll(now);
    }
    EXPECT_EQ(sends, 60);
    EXPECT_EQ(now, 60 * 2000);
    EXPECT_EQ(sender.State(), ZubLinkState::Failed);
    EXPECT_EQ(sender.TakeOutput(), "") << "no 61st attempt";
}

TEST(ZubSender, EveryByteRestartsTheWaitAndAcceptanceRestartsTheCount) {
    ZubSender sender(kLines, {100, 3});
    sender.Start(0);
    sender.Feed("\x06", 90);
    sender.Feed(",", 180);
    sender.Poll(185);
    sender.Feed("R,\r", 270); // slow, but never 100 ms without a byte
    EXPECT_EQ(sender.Accepted(), 1);
    // The second line may use its own three attempts, though the first used one.
    sender.Feed(kNak, 300);
    sender.Feed(kNak, 310);
    EXPECT_TRUE(sender.Running());
    sender.Feed(kNak, 320);
    EXPECT_EQ(sender.State(), ZubLinkState::Failed);
}

TEST(ZubSender, CancelStopsAtOnce) {
    ZubSender sender(kLines);
    sender.Start(0);
    sender.TakeOutput();
    sender.Cancel();
    sender.Feed(kAck, 1);
    sender.Poll(5000);
    EXPECT_EQ(sender.State(), ZubLinkState::Cancelled);
    EXPECT_EQ(sender.TakeOutput(), "");
    EXPECT_EQ(sender.Deadline(), std::nullopt);
}

} // namespace
} // namespace vemo
