// 送信内容の照合: the points of a send against the instrument's job received back, with the damage a
// noisy line lets past the check character made by hand.
#include "core/serial/SentPointsCheck.h"

#include "core/text/Cp932.h"
#include "core/zub/ZubChecksum.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

ZubSendList Sent(const std::vector<std::string>& bodies) {
    ZubSendList list;
    list.lines.push_back(ZubRecordLine("A,01,"));
    for (const std::string& body : bodies) {
        list.lines.push_back(ZubRecordLine(body));
    }
    list.lines.push_back(ZubRecordLine("Z,"));
    return list;
}

TEST(SentPointsCheck, EveryDifferenceIsListedPointByPoint) {
    const ZubSendList sent =
        Sent({"G,K1,-145123.456,98765.432,,", "G,K2,-145100,98700.5,,", Jp("G,境界3,0,0,,"), "G,K4,12.5,-7.25,,"});
    // As the instrument holds them: K2's 5 became 6 in X, K4 never arrived, K1 came under the name
    // "K!" as well (a name changed on the way) and the origin point is the origin point.
    const std::vector<ReceivedPoint> back = {
        {"K1", "-145123.456", "98765.432", "0.000"},
        {"K2", "-145100.000", "98700.600", "1.200"}, // heights are not sent: not compared
        {Jp("境界3"), "0.000", "0.000", "0.000"},
        {"K!", "12.500", "-7.250", "0.000"},
    };
    const std::vector<std::string> expected = {
        Jp("K2: 送った X -145100.000 Y 98700.500、測器では X -145100.000 Y 98700.600"),
        Jp("K4: 測器の作業にありません"),
        Jp("K!: 送っていない点です（X 12.500 Y -7.250）"),
    };
    EXPECT_EQ(CompareSentPoints(sent, back), expected);
    EXPECT_EQ(Cp932ToUtf8(SentPointsCheckReport(sent, back)),
              "送った 4 点のうち 2 点が測器の作業と違います:\n"
              "  K2: 送った X -145100.000 Y 98700.500、測器では X -145100.000 Y 98700.600\n"
              "  K4: 測器の作業にありません\n"
              "  K!: 送っていない点です（X 12.500 Y -7.250）");
    std::vector<ReceivedPoint> same = back;
    same[1].y = "98700.500";
    same[3].name = "K4";
    EXPECT_TRUE(CompareSentPoints(sent, same).empty());
    EXPECT_EQ(Cp932ToUtf8(SentPointsCheckReport(sent, same)), "送った 4 点はすべて測器の作業と一致しました");
}

} // namespace
} // namespace vemo
