// The two receive loops: which lines are acknowledged, which are kept, and where they stop.
#include "core/serial/ZubReceiver.h"
#include "core/serial/ReceivedPointRows.h"
#include "core/store/XyzList.h"
#include "core/text/Error.h"
#include "core/zub/ZubChecksum.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

const std::string kAck = ZubAckWire();
const std::string kNak = ZubNakWire();

std::string Wire(std::string_view body) {
    return ZubWire(ZubRecordLine(body));
}

TEST(ZubReceiver, CoordinateLinesAreAnsweredAndOnlyGoodPointsKept) {
    struct Case {
        std::string wire;
        std::string answer;
        int stored; // points kept by this line
        const char* why;
    };
    const Case cases[] = {
        {"G,P1,100.5,200.25,,_,\r\n", kAck, 1, "a valid coordinate record"},
        {"G,P1,100.5,200.25,,^,\r\n", kNak, 0, "wrong check character"},
        {"G,P1,100.5,200.25,,_,\r\n", kAck, 0, "a repeat after a lost acknowledgement is kept once"},
        {Wire("G,P2,1x,5,,"), kNak, 0, "checks but does not parse"},
        {Wire("B,job,GTS,1,me,26/12/09,"), kAck, 0, "other records are acknowledged, not stored"},
        {Wire("G,P{3,1,5,,"), kAck, 1, "0x7B inside the line"},
        {"G,P1,\n100.5,200.25,,_,\r", kAck, 1, "LF dropped; P1 again after other lines is a new point"},
    };
    std::vector<ReceivedPoint> points;
    ZubReceiver receiver(ZubReceiveKind::Coordinates, [&](const ReceivedPoint& p) { points.push_back(p); });
    receiver.Start(0);
    for (const Case& c : cases) {
        const size_t before = points.size();
        receiver.Feed(c.wire, 0);
        EXPECT_EQ(receiver.TakeOutput(), c.answer) << c.why;
        EXPECT_EQ(points.size() - before, static_cast<size_t>(c.stored)) << c.why;
    }
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1], (ReceivedPoint{"P{3", "1.000", "5.000", "0.000"}));
    EXPECT_EQ(receiver.Message(), "\x8e\xf3\x90\x4d\x81\x46G,P1,100.5,200.25,,_,") << "受信： and the line";
    EXPECT_TRUE(receiver.Running());
}

TEST(ZubReceiver, EndMarkAnywhereEndsAndLaterBytesAreIgnored) {
    ZubReceiver receiver(ZubReceiveKind::Observations);
    receiver.Feed(Wire("A,01,") + "noise Z,&, more\r\n" + Wire("E,0,"), 0);
    EXPECT_EQ(receiver.State(), ZubLinkState::Succeeded);
    EXPECT_EQ(receiver.TakeOutput(), kAck + kNak) << "the end line itself is not a valid record";
    EXPECT_EQ(receiver.Lines(), std::vector<std::string>{"A,01,Z,"});
}

TEST(ZubReceiver, ObservationsKeepFileRecordsOnly) {
    ZubReceiver receiver(ZubReceiveKind::Observations);
    const std::string f = ZubRecordLine("F,T2,,1.600,r1001,90.0530,89.5930,123.456,,,,0,");
    receiver.Feed(Wire("A,01,") + Wire("G,P1,1,2,,") + Wire("X,1,") + f + "\r\n", 0);
    EXPECT_EQ(receiver.TakeOutput(), kAck + kNak + kNak + kAck) << "a record the file reader refuses is refused here";
    receiver.Cancel();
    receiver.Feed(Wire("Z,"), 0);
    EXPECT_EQ(receiver.State(), ZubLinkState::Cancelled);
    EXPECT_EQ(receiver.Lines(), (std::vector<std::string>{"A,01,Z,", f}));
    EXPECT_EQ(receiver.Message(), f) << "observation lines are shown as they are";
}

TEST(ZubReceiver, PointTheListCannotTakeIsNotAcknowledged) {
    ZubReceiver receiver(ZubReceiveKind::Coordinates, [](const ReceivedPoint&) { throw Error("full"); });
    EXPECT_THROW(receiver.Feed("G,P1,100.5,200.25,,_,\r\n", 0), Error);
    EXPECT_EQ(receiver.TakeOutput(), "") << "the instrument must not believe the point arrived";
}

// Rows of the list: name, X, Y, type.
XyzList ListOf(std::vector<std::array<const char*, 4>> rows) {
    XyzList list;
    std::vector<XyzRow> cells;
    for (const auto& r : rows) {
        cells.push_back({"", r[0], r[1], r[2], "", r[3], ""});
    }
    list.ReplaceAll(cells);
    return list;
}

TEST(ReceivedPointRows, PointsGoAfterTheLastCoordinateAndNeverOverANamedRow) {
    struct Case {
        std::vector<std::array<const char*, 4>> before;
        std::vector<std::string> namesAfter; // names of all rows after three points came
        const char* why;
    };
    const Case cases[] = {
        {{{"", "", "", ""}}, {"R1", "R2", "R3"}, "a cleared list: from row 1"},
        {{{"A", "1", "2", ""}, {"", "0.000", "", "x"}, {"Q", "", "", ""}, {"", "", "", ""}},
         {"A", "R1", "Q", "R2", "R3"},
         "empty rows reused, the typed name Q kept, the rest appended"},
        {{{"A", "1", "2", ""}, {"B", "0.000", "0.000", ""}}, {"A", "B", "R1", "R2", "R3"}, "B has a name"},
        {{{"", "5", "", ""}, {"", "", "", ""}}, {"", "R1", "R2", "R3"}, "a row with only X counts as a point"},
    };
    for (const Case& c : cases) {
        XyzList list = ListOf(c.before);
        ReceivedPointRows rows(list);
        for (const char* name : {"R1", "R2", "R3"}) {
            rows.Add({name, "1.000", "2.000", "3.000"});
        }
        std::vector<std::string> names;
        for (int row = 1; row < list.RowCount(); ++row) {
            names.push_back(list.Cell(row, kColName));
            EXPECT_EQ(list.Cell(row, kColNo), std::to_string(row)) << c.why;
        }
        EXPECT_EQ(names, c.namesAfter) << c.why;
    }
    XyzList list = ListOf({{"A", "1", "2", ""}, {"", "", "", "x"}});
    ReceivedPointRows rows(list);
    rows.Add({"R1", "1.000", "2.000", "3.000"});
    EXPECT_EQ(list.Row(2), (XyzRow{"2", "R1", "1.000", "2.000", "3.000", "x", ""})) << "the type stays";
}

} // namespace
} // namespace vemo
