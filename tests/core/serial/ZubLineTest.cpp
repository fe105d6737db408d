// Lines of the instrument link: the bytes on the wire, the coordinate record both ways and the send
// list of a selection.
#include "core/serial/ZubLine.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(ZubLine, FixedLinesOnTheWire) {
    EXPECT_EQ(ZubAckWire(), std::string("\x06\x2C\x52\x2C\x0D\x0A"));
    EXPECT_EQ(ZubNakWire(), std::string("\x15\x2C\x21\x2C\x0D\x0A"));
    EXPECT_TRUE(IsZubEndLine("Z,&,"));
    EXPECT_TRUE(IsZubEndLine("\x15gZ,&,junk")) << "the end mark anywhere in the line";
    EXPECT_FALSE(IsZubEndLine("Z,&"));
}

TEST(ZubLine, CoordinateRecordsReadOnlyWhenEveryItemMakesSense) {
    struct Case {
        const char* line;
        std::optional<ReceivedPoint> point;
    };
    const Case cases[] = {
        {"G,P1,100.5,200.25,,_,", ReceivedPoint{"P1", "100.500", "200.250", "0.000"}},
        {"G,P2,-1,2e1,12,x,", ReceivedPoint{"P2", "-1.000", "20.000", "12.000"}},
        {"G,{,1,2,,x,", ReceivedPoint{"{", "1.000", "2.000", "0.000"}},       // 0x7B is a character like any other
        {"G,P3,1x,2,,x,", std::nullopt},                                      // X does not parse
        {"G,P4,1,2,3,K9,x,", ReceivedPoint{"P4", "1.000", "2.000", "3.000"}}, // a point code, not kept
        {"G,P 7,1,2,3,x,", ReceivedPoint{"P 7", "1.000", "2.000", "3.000"}},  // a blank inside the name
        {"G,P4,1,2,3,4,5,x,", std::nullopt},                                  // an item beyond the code
        {"G,P5l1,2,,x,", std::nullopt},                                       // a comma lost: one item short
        {"G,,1,2,,x,", std::nullopt},                                         // no name
        {"G,P\x01,1,2,,x,", std::nullopt}, // a control byte would silently end the name as a separator
        {"F,P6,1,2,,x,", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseCoordinateRecord(c.line), c.point) << c.line;
    }
}

TEST(ZubLine, SendListSkipsUnknownAndUnframableNamesAndNamesThem) {
    XyzList list;
    const std::string lfName = Jp("境境境B"); // G,境境境B,1,2,, sums to -150: check character LF
    list.ReplaceAll({{"", "A1", "1234.5674", "100", "9.9"}, {"", "A2", "-0.5", "-0.0004"}, {"", lfName, "1", "2"}});
    XyzNameIndex index;
    index.Rebuild(list);
    const ZubSendList send = BuildCoordinateSendList({"A1", "B9", lfName, "A2", "C"}, index);
    const std::vector<std::string> lines = {"A,01,Z,", "G,A1,1234.567,100,, ,", "G,A2,-0.5,0,,&,", "Z,&,"};
    EXPECT_EQ(send.lines, lines) << "general format, millimetres, height left empty";
    EXPECT_EQ(send.missing, (std::vector<std::string>{"B9", "C"}));
    EXPECT_EQ(send.unsendable, std::vector<std::string>{lfName});
    EXPECT_EQ(Cp932ToUtf8(SkippedPointsMessage(send)),
              "座標リストにない点は送りませんでした: B9, C\nチェック文字が改行になる点は送れません: 境境境B");
    EXPECT_EQ(SkippedPointsMessage(ZubSendList{}), "");
}

} // namespace
} // namespace vemo
