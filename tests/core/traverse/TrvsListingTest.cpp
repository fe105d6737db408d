// The input listing and the listing of a radial traverse, as the surveyor prints them.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/TrvsListing.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

TEST(TrvsListing, InputListingOfAConnectedTraverse) {
    TrvsFixture f;
    f.Start(kTrvsConnected, "A", "   1000.000", "  -2000.500", "N", "   180.0000", true);
    f.header.remark = Jp("境界 確認");
    f.header.T2No = "B";
    f.header.T2X = "   1100.000";
    f.header.T2Y = "  -2000.500";
    f.header.T3No = "C";
    f.header.T3Angle = "    90.3000";
    f.Row("T", "P1", "180.0000", "90.0000", "100.010");
    f.Row("K", "R", "45.3000", "", "", "P1", "A"); // empty cells print as 0
    std::vector<std::string> out;
    AppendInputListing(out, f.header, f.table);
    const std::vector<std::string> expected = {
        "",
        "                  >>>>>   入力データ   <<<<<",
        "",
        "トラバースの型 : 結合",
        "  年 月 日     : 26/12/09",
        "  備    考     : 境界 確認",
        "  器 械 点     : № = A    X = 1000.000    Y = -2000.500",
        "  後 視 点     : № = N              方向角 = 180.0000",
        "  器 械 点     : No = B    X = 1100.000    Y = -2000.500",
        "  視 準 点     : No = C          終点方向角 = 90.3000",
        "",
        "№  TM  器械点   後視点    測点     水平角    高度角   斜距離",
        std::string(64, '-'),
        "   1 T                         P1  180.0000   90.0000  100.010",
        "   2 K       P1        A        R   45.3000    0.0000    0.000",
    };
    EXPECT_EQ(Utf8Lines(out), expected);
}

TEST(TrvsListing, InputListingStopsAtACellThatIsNotANumber) {
    TrvsFixture f;
    f.Row("K", "P1", "1.0000", "90", "5");
    f.Row("K", "P2", "1.00x", "90", "5");
    std::vector<std::string> out;
    EXPECT_THROW(AppendInputListing(out, f.header, f.table), Error);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(Cp932ToUtf8(out.back()).substr(0, 10), "   1 K    "); // the lines before remain
}

TEST(TrvsListing, NegativeZeroNeverShows) {
    EXPECT_EQ(ListingStationLine("A", {90, 0, 0}, -0.0002, -1e-12, 0, 0, -0.0004),
              "A           90-00-00     0.000     0.000       0.000       0.000    0.000");
}

} // namespace
} // namespace vemo::test
