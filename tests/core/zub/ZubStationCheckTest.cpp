// The field-book checks of a two-set (2対回) book worked out by hand, and its reduction to the mean of
// both faces and both sets as the transfer's default.
#include "core/zub/ZubStationCheck.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/traverse/SurveyClass.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubTransfer.h"

#include <gtest/gtest.h>

#include <memory>

namespace vemo {
// Failures name the record and the column.
void PrintTo(const ZubCell& cell, std::ostream* out) {
    *out << "record " << cell.zubRow << " column " << cell.column;
}
} // namespace vemo

namespace vemo::test {
namespace {

ZubRow F(const char* target, const char* number, const char* h, const char* v, const char* s1 = "",
         const char* s2 = "") {
    return ZubRow{"F", target, "", "1.500", number, h, v, s1, s2};
}

// Station A, sets at 0° and 90°, reference B:
//   set 1: r C - r B = 75°20′30″, l: 255°20′50″ - 180°00′10″ = 75°20′40″: 倍角 70″, 較差 -10″
//   set 2: r 165°20′45″ - 90°00′20″ = 75°20′25″, l 345°20′55″ - 270°00′15″ = 75°20′40″: 倍角 65″, 較差 -15″
//   倍角差 5″, 観測差 5″.  高度定数 (z_r + z_l - 360°): B 10″, C 20″, B 5″, C 15″: 較差 15″.
//   Distances: B 52.345/52.346, 52.346, 52.347, 52.346: within a set 1 mm, set means 52.3455 … 52.347:
//   1.5 mm.  C 60.120, 60.121, 60.119, 60.120: 2 mm between sets.
// Station C, reference A:
//   set 1: r 120°10′30″, l 300°10′50″ - 180°00′10″ = 120°10′40″: 倍角 70″, 較差 -10″
//   set 2: r 210°11′20″ - 90°00′10″ = 120°11′10″, l 30°11′00″ - 270°00′10″ = 120°10′50″: 倍角 120″,
//   較差 +20″.  倍角差 50″, 観測差 30″: over 3級's 30″ and 20″.  高度定数: A 10″, D 30″, A 10″, D 30″:
//   較差 20″.  D: sets 80.0125, 80.0145, 80.0405, 80.0405: 28 mm between sets, over 20 mm.
std::vector<ZubRow> TwoSetBook() {
    return {
        ZubRow{"A", "01"},
        ZubRow{"B", "点検", "TS", "1", "", "26/12/10"},
        ZubRow{"D", "A", "", "1.450", "0", "2200002"},
        F("B", "r1001", "0.0010", "88.3020", "52.345", "52.346"),
        F("C", "r1002", "75.2040", "91.1000", "60.120"),
        F("C", "l1002", "255.2050", "268.5020", "60.121"),
        F("B", "l1001", "180.0010", "271.2950", "52.346"),
        F("B", "r2001", "90.0020", "88.3025", "52.347"),
        F("C", "r2002", "165.2045", "91.1005", "60.119"),
        F("C", "l2002", "345.2055", "268.5010", "60.120"),
        F("B", "l2001", "270.0015", "271.2940", "52.346"),
        ZubRow{"D", "C", "", "1.400", "0", "2200002"},
        F("A", "r1001", "0.0000", "89.0000"),
        F("D", "r1002", "120.1030", "92.0000", "80.012", "80.013"),
        F("D", "l1002", "300.1050", "268.0030", "80.014", "80.015"),
        F("A", "l1001", "180.0010", "271.0010"),
        F("A", "r2001", "90.0010", "89.0005"),
        F("D", "r2002", "210.1120", "92.0005", "80.040", "80.041"),
        F("D", "l2002", "30.1100", "268.0025", "80.040", "80.041"),
        F("A", "l2001", "270.0010", "271.0005"),
        ZubRow{"Z", "&"},
    };
}

TEST(ZubStationCheck, TwoSetBookByHand) {
    const std::vector<ZubStationFigures> stations = ReduceZubStations(TwoSetBook());
    ASSERT_EQ(stations.size(), 2u);
    const ZubStationFigures& a = stations[0];
    EXPECT_EQ(a.station, "A");
    EXPECT_EQ(a.sets, 2);
    EXPECT_TRUE(a.bothFaces);
    EXPECT_NEAR(*a.doubleAngleDiff, 5, 1e-6);
    EXPECT_NEAR(*a.observationDiff, 5, 1e-6);
    EXPECT_NEAR(*a.heightConstantDiff, 15, 1e-6);
    EXPECT_NEAR(*a.distanceWithinSet, 1.0, 1e-6);
    EXPECT_NEAR(*a.distanceBetweenSets, 2.0, 1e-6);
    const ZubStationFigures& c = stations[1];
    EXPECT_NEAR(*c.doubleAngleDiff, 50, 1e-6);
    EXPECT_NEAR(*c.observationDiff, 30, 1e-6);
    EXPECT_NEAR(*c.heightConstantDiff, 20, 1e-6);
    EXPECT_NEAR(*c.distanceWithinSet, 1.0, 1e-6);
    EXPECT_NEAR(*c.distanceBetweenSets, 28.0, 1e-6);
    EXPECT_FALSE(c.directions[0].slope) << "A was sighted without a distance";

    // 3級: 倍角差 30″, 観測差 20″, 高度定数の較差 30″, distances 20 mm.  Only C fails.
    const ObservationLimits third = GradeObservationLimits(3, false);
    const std::vector<ZubOverLimit> over = ZubStationsOverLimit(stations, third);
    ASSERT_EQ(over.size(), 3u);
    for (const ZubOverLimit& o : over) {
        EXPECT_EQ(o.station, "C");
    }
    EXPECT_STREQ(over[0].figure, "倍角差");
    EXPECT_STREQ(over[1].figure, "観測差");
    EXPECT_STREQ(over[2].figure, "セット間の較差");
    // 4級 allows 60″, 40″ and 60″: only the distances of C fail.
    ASSERT_EQ(ZubStationsOverLimit(stations, GradeObservationLimits(4, false)).size(), 1u);

    const std::vector<std::string> lines = ZubCheckLines(stations, &third);
    EXPECT_EQ(Cp932ToUtf8(lines.back()), "観測の制限を超えた測点: C");
    EXPECT_NE(Cp932ToUtf8(lines[3]).find("50 *"), std::string::npos) << Cp932ToUtf8(lines[3]);
    EXPECT_EQ(Cp932ToUtf8(lines[2]).find('*'), std::string::npos) << Cp932ToUtf8(lines[2]);
}

// Each figure over its limit points at the readings it came from, so that the editor can mark them
// where the numbers are.  Rows count from 1 in the book above: C's sightings of D are records 14, 15,
// 18 and 19.
TEST(ZubStationCheck, FiguresOverTheLimitPointAtTheirReadings) {
    const std::vector<ZubStationFigures> stations = ReduceZubStations(TwoSetBook());
    auto cellsOf = [](const std::vector<ZubCellOverLimit>& over, const char* figure) {
        std::vector<ZubCell> cells;
        for (const ZubCellOverLimit& o : over) {
            if (std::string_view(o.figure) == figure) {
                cells.push_back(o.cell);
            }
        }
        return cells;
    };
    const std::vector<ZubCell> dAngles = {{14, kZubHAngle}, {15, kZubHAngle}, {18, kZubHAngle}, {19, kZubHAngle}};

    // 3級: C's 倍角差 50″ and 観測差 30″ at the horizontal readings of D, its 28 mm between sets at
    // D's distances; nothing of station A, nothing of the sightings of A from C.
    const std::vector<ZubCellOverLimit> third = ZubCellsOverLimit(stations, GradeObservationLimits(3, false));
    EXPECT_EQ(cellsOf(third, "倍角差"), dAngles);
    EXPECT_EQ(cellsOf(third, "観測差"), dAngles);
    const std::vector<ZubCell> dDistances = {{14, kZubSlope1},     {14, kZubSlope1 + 1}, {15, kZubSlope1},
                                             {15, kZubSlope1 + 1}, {18, kZubSlope1},     {18, kZubSlope1 + 1},
                                             {19, kZubSlope1},     {19, kZubSlope1 + 1}};
    EXPECT_EQ(cellsOf(third, "セット間の較差"), dDistances);
    EXPECT_EQ(third.size(), dAngles.size() * 2 + dDistances.size());
    for (const ZubCellOverLimit& o : third) {
        EXPECT_GE(o.cell.zubRow, 13) << "station A passes: " << o.figure;
    }
    EXPECT_DOUBLE_EQ(third.front().value, 50);
    EXPECT_DOUBLE_EQ(third.front().limit, 30);

    // 1級 allows 10″ of 高度定数の較差: A's 15″ lies between B in set 2 (5″, records 8 and 11) and C in
    // set 1 (20″, records 5 and 6); C's 20″ between every pair of A (10″) and of D (30″).  Target by
    // target, set by set.
    const std::vector<ZubCell> heights =
        cellsOf(ZubCellsOverLimit(stations, GradeObservationLimits(1, false)), "高度定数の較差");
    const std::vector<ZubCell> expected = {{8, kZubVAngle},  {11, kZubVAngle}, {5, kZubVAngle},  {6, kZubVAngle},
                                           {13, kZubVAngle}, {16, kZubVAngle}, {17, kZubVAngle}, {20, kZubVAngle},
                                           {14, kZubVAngle}, {15, kZubVAngle}, {18, kZubVAngle}, {19, kZubVAngle}};
    EXPECT_EQ(heights, expected);

    // A spread of one record: 80.012 against 80.045 is 33 mm within the set.
    std::vector<ZubRow> book = TwoSetBook();
    book[13][kZubSlope1 + 1] = "80.045";
    const std::vector<ZubCellOverLimit> within =
        ZubCellsOverLimit(ReduceZubStations(book), GradeObservationLimits(4, false));
    const std::vector<ZubCell> record14 = {{14, kZubSlope1}, {14, kZubSlope1 + 1}};
    EXPECT_EQ(cellsOf(within, "1セット内の較差"), record14);
}

// The means: C from B (75°20′35″ + 75°20′32.5″) / 2 = 75°20′33.75″ -> 75°20′34″; zenith of C
// ((91°10′00″ - 268°50′20″ + 360°) / 2 = 91°09′50″, 91°09′57.5″) 91°09′53.75″ -> 91°09′54″; of B
// 88°30′15″ and 88°30′22.5″ -> 88°30′19″; distances: B 52.346, C 60.120, D 80.027.
TEST(ZubStationCheck, TransferTakesTheMeanOfBothFacesAndSets) {
    auto store = std::make_unique<Store>();
    TrvsOptions options;
    TrvsHeader header;
    TrvsTable table;
    std::vector<std::string> notes =
        TransferZubToTraverse(TwoSetBook(), options, TrvsKnownPoints(*store), "26/12/10", header, table);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(Cp932ToUtf8(notes[0]).rfind("転記: 正反の平均", 0), 0u) << Cp932ToUtf8(notes[0]);
    ASSERT_EQ(table.ObservationRows(), 4);
    EXPECT_EQ(table.Row(1), (TrvsRow{"1", "K", "A", "B", "B", "0.0000", "88.3019", "52.346", "1.450", "1.500"}));
    EXPECT_EQ(table.Row(2), (TrvsRow{"2", "K", "A", "B", "C", "75.2034", "91.0954", "60.120", "", "1.500"}));
    // A from C: zenith ((89°00′00″ - 271°00′10″ + 360°) / 2 = 88°59′55″, 89°00′00″) -> 88°59′57.5″ -> 58″.
    EXPECT_EQ(table.Row(3), (TrvsRow{"3", "K", "C", "A", "A", "0.0000", "88.5958", "", "1.400", "1.500"}));
    EXPECT_EQ(table.Row(4).at(kTrvColHAngle), "120.1048"); // (120°10′35″ + 120°11′00″) / 2 = 120°10′47.5″
    EXPECT_EQ(table.Row(4).at(kTrvColSlope), "80.027");

    // The transfer of the direct readings alone stays an option: eight rows, each as read.
    notes = TransferZubToTraverse(TwoSetBook(), options, TrvsKnownPoints(*store), "26/12/10", header, table,
                                  ZubReduction::DirectOnly);
    EXPECT_EQ(Cp932ToUtf8(notes[0]).rfind("転記: 正観測のみ", 0), 0u) << Cp932ToUtf8(notes[0]);
    EXPECT_EQ(table.ObservationRows(), 8);
    EXPECT_EQ(table.Row(2).at(kTrvColHAngle), "75.2030");
}

} // namespace
} // namespace vemo::test
