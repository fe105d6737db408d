// Header field entry: known points, backsight directions, the angle check and point name increments.
#include "TrvsFixture.h"

#include "core/traverse/TrvsEntry.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

TEST(TrvsEntry, AngleCheck) {
    for (const char* good : {"359.5959", "12.3000", "0", "0.0000"}) {
        EXPECT_TRUE(IsValidAngle(good)) << good;
    }
    for (const char* bad : {"12.6000", "12.0060", "360.0000", "360.0001", "400", "-1.0000", "abc", ""}) {
        EXPECT_FALSE(IsValidAngle(bad)) << bad;
    }
    std::string field = "12.59595"; // shows as 12.5960: 60 seconds
    EXPECT_FALSE(FormatAngleField(field));
    EXPECT_EQ(field, "    12.5960");
}

TEST(TrvsEntry, StartPointFromTheCoordinateList) {
    TrvsFixture f;
    f.AddPoint("K1", "100.1234", "-200.5", "12.5");
    f.header.T0No = "";
    EXPECT_EQ(EnterStartName(f.header, f.known), TrvsNameEntry::NotFound);
    EXPECT_EQ(f.header.T0No, "T.1");
    EXPECT_EQ(f.header.T0X, "      0.000"); // typed coordinates are kept for a point not in the list
    f.header.T0No = "K1";
    EXPECT_EQ(EnterStartName(f.header, f.known), TrvsNameEntry::Found);
    EXPECT_EQ(f.header.T0X, "    100.123");
    EXPECT_EQ(f.header.T0Y, "   -200.500");
    EXPECT_EQ(f.header.T0Z, "     12.5");
    f.header.T2No = "";
    EnterEndName(f.header, f.known);
    EXPECT_EQ(f.header.T2No, "T.END");
    EXPECT_EQ(FormatCoordinateField(""), "      0.000");
    EXPECT_EQ(FormatHeightField(" 1.2"), "    1.200");
}

TEST(TrvsEntry, BacksightNorthAndOwnName) {
    TrvsFixture f;
    f.header.T0No = "A";
    f.header.T1No = "";
    EXPECT_EQ(EnterBacksightName(f.header, f.known), TrvsNameEntry::Found);
    EXPECT_EQ(f.header.T1No, "N");
    EXPECT_EQ(f.header.T1Angle, "   180.0000");
    f.header.startIncoming = false;
    f.header.T1No = "A";
    EXPECT_EQ(EnterBacksightName(f.header, f.known), TrvsNameEntry::Refused); // beep
    EXPECT_EQ(f.header.T1No, "N");
    EXPECT_EQ(f.header.T1Angle, "     0.0000");
}

TEST(TrvsEntry, BacksightDirectionFollowsTheLabel) {
    TrvsFixture f;
    f.AddPoint("B", "0.000", "-4.000"); // the start point (3, 0) sees B at 233°07'48"
    f.header.T0X = "3.000";
    f.header.T0Y = "0.000";
    f.header.T1No = "B";
    f.header.startIncoming = false;
    EnterBacksightName(f.header, f.known);
    EXPECT_EQ(f.header.T1Angle, "   233.0748");
    f.header.startIncoming = true;
    EnterBacksightName(f.header, f.known);
    EXPECT_EQ(f.header.T1Angle, "    53.0748");
}

TEST(TrvsEntry, EndSightingPoint) {
    TrvsFixture f;
    f.AddPoint("E", "10.000", "0.000");
    f.header.T2No = "B";
    f.header.T2X = "0.000";
    f.header.T2Y = "0.000";
    f.header.T3No = "B";
    EXPECT_EQ(EnterEndSightName(f.header, f.known), TrvsNameEntry::Refused);
    EXPECT_EQ(f.header.T3No, "");
    EXPECT_EQ(EnterEndSightName(f.header, f.known), TrvsNameEntry::Empty);
    f.header.T3No = "Z9";
    f.header.T3Angle = "    12.0000";
    EXPECT_EQ(EnterEndSightName(f.header, f.known), TrvsNameEntry::NotFound);
    EXPECT_EQ(f.header.T3Angle, "    12.0000");
    f.header.T3No = "E";
    f.header.endIncoming = true; // from E to the end point: due south
    EXPECT_EQ(EnterEndSightName(f.header, f.known), TrvsNameEntry::Found);
    EXPECT_EQ(f.header.T3Angle, "   180.0000");
}

TEST(TrvsEntry, ProposedTargetName) {
    EXPECT_EQ(ProposedTargetName(""), "1");
    EXPECT_EQ(ProposedTargetName("5"), "6");
    EXPECT_EQ(ProposedTargetName("9"), "10");
    EXPECT_EQ(ProposedTargetName("T"), "T2");
    EXPECT_EQ(ProposedTargetName("T009"), "T010");
    EXPECT_EQ(ProposedTargetName("A99"), "A100");
    EXPECT_EQ(ProposedTargetName("P99999999999"), "");
}

TEST(TrvsEntry, StationNamesOfColumnsTwoAndThree) {
    TrvsFixture f;
    f.header.T0No = "A";
    f.AddPoint("K1", "1", "1");
    f.Row("T", "P1", "0", "90", "1");
    f.Row("K", "P2", "0", "90", "1");
    EXPECT_TRUE(IsUsableStationName(f.table, 2, "A", f.header, f.known));
    EXPECT_TRUE(IsUsableStationName(f.table, 2, "P1", f.header, f.known));
    EXPECT_TRUE(IsUsableStationName(f.table, 2, "K1", f.header, f.known));
    EXPECT_FALSE(IsUsableStationName(f.table, 2, "P2", f.header, f.known)); // not an earlier row's target
}

} // namespace
} // namespace vemo::test
