#include "core/edit/PointName.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(NextPointNameTest, StepsTheTrailingCounterKeepingItsWidth) {
    EXPECT_EQ(NextPointName("T009", true), "T010");
    EXPECT_EQ(NextPointName("A99", true), "A100");
    EXPECT_EQ(NextPointName("K-10", false), "K-09");
    EXPECT_EQ(NextPointName("T10", false), "T09");
    EXPECT_EQ(NextPointName("T1", false), "T0");
    EXPECT_EQ(NextPointName("001", true), "002");
    EXPECT_EQ(NextPointName("BP-1", true), "BP-2");
    // Only the run at the very end counts.
    EXPECT_EQ(NextPointName("12A3", true), "12A4");
    EXPECT_EQ(NextPointName(Jp("境界5"), true), Jp("境界6"));
}

TEST(NextPointNameTest, NamesWithoutACounter) {
    EXPECT_EQ(NextPointName("", true), "1");
    EXPECT_EQ(NextPointName("", false), "1");
    EXPECT_EQ(NextPointName("T", true), "T2");
    EXPECT_EQ(NextPointName("T", false), "T2");
    EXPECT_EQ(NextPointName(Jp("杭"), true), Jp("杭") + "2");
}

TEST(NextPointNameTest, ALoneDigitAlwaysCountsUp) {
    EXPECT_EQ(NextPointName("5", true), "6");
    EXPECT_EQ(NextPointName("5", false), "6");
    EXPECT_EQ(NextPointName("9", true), "10");
    EXPECT_EQ(NextPointName("0", false), "1");
}

TEST(NextPointNameTest, CountingDownPastZeroGivesNoName) {
    EXPECT_EQ(NextPointName("T0", false), "");
    EXPECT_EQ(NextPointName("T000", false), "");
    EXPECT_EQ(NextPointName("00", false), "");
}

TEST(NextPointNameTest, ACounterBeyond32BitsIsAConversionError) {
    EXPECT_EQ(NextPointName("T2147483647", true), "T2147483648");
    try {
        NextPointName("T2147483648", true);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "'2147483648'" + Jp(" は整数ではありません"));
    }
}

// The jump must land where single steps land, through every irregular name on the way.
TEST(AdvancePointNameTest, AgreesWithSingleSteps) {
    const char* starts[] = {"",     "0",    "5",  "9",  "T",   "T0",   "T1",  "T9",
                            "T009", "K-10", "10", "00", "A99", "BP-1", "X100"};
    for (bool increment : {true, false}) {
        for (const char* start : starts) {
            std::string walked = start;
            for (std::uint64_t steps = 0; steps <= 130; ++steps) {
                ASSERT_EQ(AdvancePointName(start, increment, steps), walked)
                    << "start '" << start << "' steps " << steps << (increment ? " Inc" : " Dec");
                walked = NextPointName(walked, increment);
            }
        }
    }
}

TEST(AdvancePointNameTest, LongJumps) {
    EXPECT_EQ(AdvancePointName("BP-1", true, 99'999), "BP-100000");
    EXPECT_EQ(AdvancePointName("T00500", false, 499), "T00001");
    // Dec without a prefix cycles "" 1..9 10 09..00 "" every 21 names.
    EXPECT_EQ(AdvancePointName("", false, 21ULL * 1'000'000'000ULL + 2), "2");
    EXPECT_EQ(AdvancePointName("T2147483646", true, 2), "T2147483648");
    EXPECT_THROW(AdvancePointName("T2147483646", true, 3), Error);
}

} // namespace
} // namespace vemo
