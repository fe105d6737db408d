// The two receive loops: which lines are acknowledged, which are kept, and where they stop.
#include "core/serial/ZubReceiver.h"
#include "core/serial/ReceivedPointRows.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
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
        {Wire("B,job,GTS,1,me,26/12/09,"), kNak, 0, "another record may be a point with a damaged letter"},
        {Wire("H,P9,100.5,200.25,,"), kNak, 0, "a damaged record letter that the check character cannot see"},
        {Wire("A,01,"), kAck, 0, "the start record is acknowledged, not stored"},
        {Wire("G,P{3,1,5,,"), kAck, 1, "0x7B inside the line"},
        {Wire(Jp("G,境界 4,  1.5,2,3,K1,")), kAck, 1, "a blank inside the name, padded figures and a code field"},
        {"G,P1,\n100.5,200.25,,_,\r", kAck, 1, "LF dropped; P1 again after other lines is a new point"},
        {Wire("G,PI,100.5,200.25,,"), kAck, 1, "the same figures under another name: stored and flagged"},
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
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[1], (ReceivedPoint{"P{3", "1.000", "5.000", "0.000"}));
    EXPECT_EQ(points[2], (ReceivedPoint{Jp("境界 4"), "1.500", "2.000", "3.000"}));
    EXPECT_EQ(Cp932ToUtf8(receiver.Message()), "5 点目 PI を受信しました") << "in words, not the raw line";
    EXPECT_TRUE(receiver.Running());
    receiver.Feed(Wire("Z,"), 0);
    EXPECT_EQ(Cp932ToUtf8(receiver.Message()), "終わりのレコードを受信しました");
    EXPECT_EQ(Cp932ToUtf8(ReceiveReport(receiver)),
              "受信完了\n受信した点: 5 点\n乱れていて送り直しを求めた行: 4 行\n"
              "  G,P1,100.5,200.25,,^,\n  G,P2,1x,5,,#,\n  B,job,GTS,1,me,26/12/09,(,\n  H,P9,100.5,200.25,,(,\n"
              "前の点と名前だけが違う点（名前が乱れた送り直しかもしれません。確かめてください）: PI");
}

TEST(ZubReceiver, EndMarkAnywhereEndsAndLaterBytesAreIgnored) {
    ZubReceiver receiver(ZubReceiveKind::Observations);
    receiver.Feed(Wire("A,01,") + "noise Z,&, more\r\n" + Wire("E,0,"), 0);
    EXPECT_EQ(receiver.State(), ZubLinkState::Succeeded);
    EXPECT_EQ(receiver.TakeOutput(), kAck + kNak) << "the end line itself is not a valid record";
    EXPECT_EQ(receiver.Lines(), std::vector<std::string>{"A,01,Z,"});
}

// A field book is taken as the instrument recorded it: blanks in fields, records of any letter.  Only
// a wrong check character, a line that cannot be framed, a first field that is no letter, or a known
// record whose field count a damaged separator changed is answered with NAK.
TEST(ZubReceiver, FieldBookLinesAreTakenAsRecorded) {
    struct Case {
        std::string line;
        bool accepted;
        const char* why;
    };
    const Case cases[] = {
        {ZubRecordLine("A,01,"), true, "start record"},
        {ZubRecordLine(Jp("B,境界 確認,GTS,12345,山田 太郎,26/12/09,")), true, "blanks inside fields"},
        {ZubRecordLine("D,T1,PC -30,1.500,0,1100003,0900,1000,"), true, "a remark with a blank"},
        {ZubRecordLine("G,P1,1,2,,CODE,"), true, "a record of a letter the book does not define"},
        {ZubRecordLine("F,T2,,1.600,r1001,90.0530,89.5930,123.456,,,,0,"), true, "an observation"},
        {ZubRecordLine("F,T2,,1.600,r1001,90.0530,89.5930123.456,,,,0,"), false, "a separator lost: 11 fields"},
        {ZubRecordLine("F,T2,,1.600,r1001,90.0530,89.5930,12,3.456,,,,0,"), false, "a separator too many"},
        {ZubRecordLine("1,2,"), false, "the first field is no record letter"},
        {ZubRecordLine("E,0"), false, "no comma before the check character: cannot be framed"},
        {ZubRecordLine("E,\x0b"
                       "0,"),
         false, "a control byte inside a field is damage on the line"},
        {"E,0,.,", false, "wrong check character"},
    };
    ZubReceiver receiver(ZubReceiveKind::Observations);
    std::vector<std::string> kept;
    for (const Case& c : cases) {
        receiver.Feed(c.line + "\r\n", 0);
        EXPECT_EQ(receiver.TakeOutput(), c.accepted ? kAck : kNak) << c.why;
        if (c.accepted) {
            kept.push_back(c.line);
        }
    }
    EXPECT_EQ(receiver.Lines(), kept) << "kept as received";
    EXPECT_EQ(Cp932ToUtf8(receiver.Message()), "乱れた行を受け付けず、送り直しを求めました");
    receiver.Feed(ZubRecordLine("F,T3,,1.600,r1002,180.1000,90.0010,98.765,,,,0,") + "\r\n", 0);
    EXPECT_EQ(Cp932ToUtf8(receiver.Message()), "6 行目を受信しました: 観測 T3");
    receiver.Cancel();
    receiver.Feed(Wire("Z,"), 0);
    EXPECT_EQ(receiver.State(), ZubLinkState::Cancelled);
}

// The same reading twice in a row is kept twice, whether it follows its first copy at once or after a
// damaged copy was refused: on the line a repeated reading and a resend after a lost acknowledgement
// are the same bytes.  Both copies stay, and the closing report gives the book line of each repeat.  A
// line whose only other copy was refused is no repeat.
TEST(ZubReceiver, FieldBookKeepsAReadingRepeatedAndShowsIt) {
    const std::string reading = ZubRecordLine("F,K2,,1.500,r1001,123.4520,89.5930,45.678,,,,0,");
    const std::string next = ZubRecordLine("F,K3,,1.500,r1002,210.0510,90.0120,61.234,,,,0,");
    const struct {
        std::string wire;
        const std::string& answer;
    } script[] = {
        {Wire("A,01,"), kAck},    {reading + "\r\n", kAck},
        {reading + "\r\n", kAck}, {"F,K2,,1.500,r1001,123.4520,89.5930,45.6?8,,,,0,F,\r\n", kNak},
        {reading + "\r\n", kAck}, {"F,K3,,1.500,r1002,210.0510,90.0120,61.2?4,,,,0,F,\r\n", kNak},
        {next + "\r\n", kAck},    {Wire("Z,"), kAck},
    };
    ZubReceiver receiver(ZubReceiveKind::Observations);
    for (const auto& step : script) {
        receiver.Feed(step.wire, 0);
        EXPECT_EQ(receiver.TakeOutput(), step.answer) << step.wire;
    }
    EXPECT_EQ(receiver.Lines(),
              (std::vector<std::string>{ZubRecordLine("A,01,"), reading, reading, reading, next, ZubRecordLine("Z,")}));
    EXPECT_EQ(receiver.RepeatedLines(), (std::vector<int>{3, 4}));
    const std::string report = Cp932ToUtf8(ReceiveReport(receiver));
    EXPECT_NE(report.find("前の行と同じ内容で届いた行: 2 行"), std::string::npos) << report;
    EXPECT_NE(report.find("\n  3 行目: " + reading + "\n  4 行目: " + reading), std::string::npos) << report;
}

TEST(ZubReceiver, PointTheListCannotTakeIsNotAcknowledged) {
    ZubReceiver receiver(ZubReceiveKind::Coordinates, [](const ReceivedPoint&) { throw Error("full"); });
    EXPECT_THROW(receiver.Feed("G,P1,100.5,200.25,,_,\r\n", 0), Error);
    EXPECT_EQ(receiver.TakeOutput(), "") << "the instrument must not believe the point arrived";
}

// A received name the list already holds as a point is refused without ending the transfer: the
// points after it still arrive, and the closing report names the one left out.
TEST(ZubReceiver, RefusedNameIsLeftOutAndTheTransferGoesOn) {
    XyzList list;
    list.ReplaceAll({XyzRow{"", "K1", "-145123.456", "98765.432", "", "", ""}});
    ReceivedPointRows rows(list);
    ZubReceiver receiver(ZubReceiveKind::Coordinates, [&](const ReceivedPoint& p) { rows.Add(p); });
    receiver.Feed(Wire("G,K1,1.5,2.5,,") + Wire("G,N1,3.5,4.5,,") + Wire("Z,"), 0);
    EXPECT_EQ(receiver.TakeOutput(), kAck + kAck + kAck) << "a refused name is no line to send again";
    EXPECT_EQ(receiver.State(), ZubLinkState::Succeeded);
    EXPECT_EQ(list.Cell(1, kColX), "-145123.456") << "the point held is not touched";
    EXPECT_EQ(list.Cell(2, kColName), "N1");
    EXPECT_EQ(list.Cell(2, kColX), "3.500");
    const std::string report = Cp932ToUtf8(ReceiveReport(receiver));
    EXPECT_NE(report.find("受信した点: 1 点"), std::string::npos) << report;
    EXPECT_NE(report.find("座標リストに入れなかった点: 1 点\n  点名 K1"), std::string::npos) << report;
}

// Noise that changes P25's name into P20 (two bytes moved by amounts the six-bit check cannot see)
// makes a line the name rule refuses: it is asked for again, never acknowledged as taken, so that the
// instrument repeats it and P25 arrives.  So is a name noise made too long or broke in half.  A name
// the list held before the transfer is the list's: that line is taken, and the report shows it.
TEST(ZubReceiver, ANameNoiseCanHaveDamagedIsAskedForAgain) {
    XyzList list;
    list.ReplaceAll({XyzRow{"", "K1", "-145123.456", "98765.432", "", "", ""}});
    ReceivedPointRows rows(list);
    ZubReceiver receiver(ZubReceiveKind::Coordinates, [&](const ReceivedPoint& p) { rows.Add(p); });
    const struct {
        std::string wire;
        const std::string& answer;
    } script[] = {
        {Wire("G,P20,-12000,35000,,"), kAck},
        {Wire("G,P20,-12020,35050,,"), kNak}, // P25 with its name damaged
        {Wire("G,P25,-12020,35050,,"), kAck}, // sent again
        {Wire("G,P26XXXXXXXXXXXXXXXX,1,2,,"), kNak},
        {Wire("G,P26\x82,1,2,,"), kNak},
        {Wire("G,P26,1,2,,"), kAck},
        {Wire("G,K1,1.5,2.5,,"), kAck},
        {Wire("Z,"), kAck},
    };
    for (const auto& step : script) {
        receiver.Feed(step.wire, 0);
        EXPECT_EQ(receiver.TakeOutput(), step.answer) << step.wire;
    }
    EXPECT_EQ(receiver.Stored(), 3);
    EXPECT_EQ(list.Cell(3, kColName), "P25");
    EXPECT_EQ(list.Cell(3, kColY), "35050.000");
    const std::string report = Cp932ToUtf8(ReceiveReport(receiver));
    EXPECT_NE(report.find("乱れていて送り直しを求めた行: 3 行"), std::string::npos) << report;
    EXPECT_NE(report.find("  点名 K1"), std::string::npos) << report;
    EXPECT_NE(report.find("(G,K1,1.5,2.5,,"), std::string::npos) << "the line it came in: " << report;
}

// A name the instrument genuinely holds twice (two points of one job under one name) is asked for
// again like a damaged one; but noise does not damage a line the same way twice, so the third copy of
// the very same line is taken, left out of the list and shown with its line, and the transfer ends.
// A damaged copy in between does not start the count again; another line does.
TEST(ZubReceiver, ANameSentTwiceIsTakenOnceAskedForTwiceAndShown) {
    XyzList list;
    ReceivedPointRows rows(list);
    ZubReceiver receiver(ZubReceiveKind::Coordinates, [&](const ReceivedPoint& p) { rows.Add(p); });
    const std::string second = Wire("G,K5,-145130.120,98770.050,,");
    const struct {
        std::string wire;
        const std::string& answer;
    } script[] = {
        {Wire("G,K5,-145123.456,98765.432,,"), kAck},
        {second, kNak},
        {"G,K5,-145130.120,98770.0#0,,X,\r\n", kNak}, // damaged on the way
        {Wire("G,K6,-145140.000,98780.000,,"), kAck}, // another line: asked for once more
        {second, kNak},
        {second, kNak},
        {second, kAck},
        {second, kAck}, // its acknowledgement lost: the same line again is a repeat, taken once
        {Wire("G,K7,-145150.000,98790.000,,"), kAck},
        {Wire("Z,"), kAck},
    };
    for (const auto& step : script) {
        receiver.Feed(step.wire, 0);
        EXPECT_EQ(receiver.TakeOutput(), step.answer) << step.wire;
    }
    EXPECT_EQ(receiver.State(), ZubLinkState::Succeeded);
    EXPECT_EQ(receiver.Stored(), 3);
    EXPECT_EQ(list.Cell(1, kColName), "K5");
    EXPECT_EQ(list.Cell(1, kColX), "-145123.456") << "the first K5 stays";
    EXPECT_EQ(list.Cell(3, kColName), "K7");
    const std::string report = Cp932ToUtf8(ReceiveReport(receiver));
    EXPECT_NE(report.find("座標リストに入れなかった点: 1 点\n  "), std::string::npos) << report;
    EXPECT_NE(report.find("(" + second.substr(0, second.size() - 2) + ")"), std::string::npos) << report;
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
