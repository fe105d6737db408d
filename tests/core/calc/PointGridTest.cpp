#include "core/calc/PointGrid.h"
#include "core/calc/GridText.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using Points = std::vector<std::optional<PlanePoint>>;

// Cells of grid row `row` (1-based) as UTF-8, joined by "|".
std::string Row(const PointGridResult& result, int row) {
    const GridRowCells& cells = result.rows[row - 1];
    return Cp932ToUtf8(cells.distance + "|" + cells.direction + "|" + cells.angle);
}

TEST(InverseOpen, ListsLegsIncludedAnglesAndTheArea) {
    // A 10 m square walked clockwise (X north): legs north, east, south; the turns are 270 clockwise.
    const auto square = ComputePointGrid(GridMode::InverseOpen, Points{{{0, 0}}, {{10, 0}}, {{10, 10}}, {{0, 10}}});
    EXPECT_EQ(Row(square, 1), "||");
    EXPECT_EQ(Row(square, 2), "  10.000|   0-00-00| 270-00-00");
    EXPECT_EQ(Row(square, 3), "  10.000|  90-00-00| 270-00-00");
    EXPECT_EQ(Row(square, 4), "  10.000| 180-00-00|");
    EXPECT_EQ(Cp932ToUtf8(square.area.area), " 面積    100.0000000 ㎡");
    EXPECT_EQ(Cp932ToUtf8(square.area.tsubo), " 坪数     30.2500    坪");

    // A 3-4-5 triangle worked by hand: legs 50 m at atan(40/30) = 53°07'48.4" and 50 m at 126°52'11.6";
    // the turn at B is 126.8699 - 53.1301 + 180 = 253°44'23.3"; area 80 × 30 / 2 = 1200 m², 363 坪.
    const auto triangle = ComputePointGrid(GridMode::InverseOpen, Points{{{0, 0}}, {{30, 40}}, {{0, 80}}});
    EXPECT_EQ(Row(triangle, 2), "  50.000|  53-07-48| 253-44-23");
    EXPECT_EQ(Row(triangle, 3), "  50.000| 126-52-12|");
    EXPECT_EQ(Cp932ToUtf8(triangle.area.area), " 面積   1200.0000000 ㎡");
    EXPECT_EQ(Cp932ToUtf8(triangle.area.tsubo), " 坪数    363.0000    坪");

    // Two points: a leg, no polygon.
    const auto two = ComputePointGrid(GridMode::InverseOpen, Points{{{0, 0}}, {{3, -4}}});
    EXPECT_EQ(Row(two, 2), "   5.000| 306-52-12|");
    EXPECT_EQ(Cp932ToUtf8(two.area.area), " 面積");
}

TEST(InverseOpen, AreaIsTruncatedExactlyAtTheHundredthAndTsuboRoundedFromItsExactValue) {
    struct Case {
        Points ring;
        const char* area;
        const char* tsubo;
    };
    const Case cases[] = {
        // 0.29 m²: 0.29 × 100 in binary is 28.999..., truncation must still keep 29 hundredths.
        {{{{0, 0}}, {{0.58, 0}}, {{0, 1}}}, " 面積      0.2900000 ㎡", " 坪数      0.0877    坪"},
        // 0.02 m² is 0.00605 坪: half up gives 0.0061.
        {{{{0, 0}}, {{0.2, 0}}, {{0, 0.2}}}, " 面積      0.0200000 ㎡", " 坪数      0.0061    坪"},
        // 0.0155 m² truncates to 0.01 m² for the 坪数 but shows all its digits as 面積.
        {{{{0, 0}}, {{0.031, 0}}, {{0, 1}}}, " 面積      0.0155000 ㎡", " 坪数      0.0030    坪"},
    };
    for (const Case& c : cases) {
        const auto result = ComputePointGrid(GridMode::InverseOpen, c.ring);
        EXPECT_EQ(Cp932ToUtf8(result.area.area), c.area);
        EXPECT_EQ(Cp932ToUtf8(result.area.tsubo), c.tsubo);
    }
}

TEST(InverseOpen, ZeroLengthLegShowsItsDistanceButNoDirectionOrAnglesAtItsEnds) {
    const auto result =
        ComputePointGrid(GridMode::InverseOpen, Points{{{0, 0}}, {{10, 0}}, {{10, 0}}, {{10, 10}}, {{0, 10}}});
    EXPECT_EQ(Row(result, 2), "  10.000|   0-00-00|");
    EXPECT_EQ(Row(result, 3), "   0.000||");
    EXPECT_EQ(Row(result, 4), "  10.000|  90-00-00| 270-00-00");
    EXPECT_EQ(Cp932ToUtf8(result.area.area), " 面積    100.0000000 ㎡");
}

TEST(InverseRadial, MeasuresFromTheBacksightAtTheInstrumentPoint) {
    const auto result = ComputePointGrid(GridMode::InverseRadial,
                                         Points{{{0, 0}}, {{10, 0}}, {{10, 10}}, {{20, 0}}, {{10, 0}}, {{0, 10}}});
    EXPECT_EQ(Row(result, 2), "  10.000|   0-00-00|");
    EXPECT_EQ(Row(result, 3), "  10.000|  90-00-00| 270-00-00");
    EXPECT_EQ(Row(result, 4), "  10.000|   0-00-00| 180-00-00"); // straight on: 180
    EXPECT_EQ(Row(result, 5), "   0.000||");                     // a target at the instrument point
    EXPECT_EQ(Row(result, 6), "  14.142| 135-00-00| 315-00-00"); // rows after it are still computed
    // Observed polygon (10,10), (20,0), (10,0), (0,10), by the trapezoid sum:
    // 2S = (20-10)(0+10) + (10-20)(0+0) + (0-10)(10+0) + (10-0)(10+10) = 100 + 0 - 100 + 200.
    EXPECT_EQ(Cp932ToUtf8(result.area.area), " 面積    100.0000000 ㎡");
}

TEST(Perpendicular, DropsEachPointOntoTheBaseLine) {
    const auto result = ComputePointGrid(GridMode::Perpendicular, Points{{{0, 0}}, {{10, 0}}, {{5, 3}}, {{12, -4}}});
    EXPECT_EQ(Row(result, 2), "   10.000||");
    EXPECT_EQ(Row(result, 3), "    3.000|    5.000|    5.000");
    EXPECT_EQ(Row(result, 4), "    4.000|   12.000|    2.000"); // beyond B the distances stay unsigned
    EXPECT_EQ(result.overlay.segments.size(), 3u);
}

TEST(GridRowLabel, NumbersOrdinaryRowsAfterTheBaseRows) {
    EXPECT_EQ(GridRowLabel(GridMode::InverseOpen, 3), "3");
    EXPECT_EQ(Cp932ToUtf8(GridRowLabel(GridMode::InverseRadial, 2)), "基点");
    EXPECT_EQ(Cp932ToUtf8(GridRowLabel(GridMode::Perpendicular, 1)), "基1 ");
    EXPECT_EQ(GridRowLabel(GridMode::Perpendicular, 3), "1");
}

TEST(GridText, CopyLinesAndResultTxtCarryTheHeadingOnce) {
    std::vector<GridRowText> rows{{"", Jp("   点名"), "", "", ""},
                                  {"1", "A1", "", "", ""},
                                  {"2", Jp("境界2"), "  10.000", "  90-00-00", ""},
                                  {"3", "", "", "", ""}};
    const auto lines = GridCopyLines(rows);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Cp932ToUtf8(lines[0]), "       点名        距離     方向角        夾角  ");
    EXPECT_EQ(lines[1], "   1  A1" + std::string(8 + 8 + 12 + 12, ' '));
    // CP932 names are padded by bytes: 境界2 is five bytes.
    const std::string row2 = "   2  " + Jp("境界2") + "       10.000    90-00-00" + std::string(12, ' ');
    EXPECT_EQ(lines[2], row2);

    test::TempDir dir;
    const std::filesystem::path path = dir.File("Result.Txt");
    WriteResultTxt(path, lines, true); // appending to a missing file creates it, without a heading
    WriteResultTxt(path, lines, false);
    WriteResultTxt(path, lines, true);
    const std::string text = test::ReadBytes(path.string());
    EXPECT_EQ(text, JoinCrLf(lines) + lines[1] + "\r\n" + lines[2] + "\r\n");

    // A new output that cannot be written whole (the disk fills up) keeps the results written before.
    const std::vector<std::string> many(2000, lines[2]);
    test::WithFileSizeLimit(4096, [&] { EXPECT_THROW(WriteResultTxt(path, many, false), Error); });
    EXPECT_EQ(test::ReadBytes(path.string()), text);

    const auto print = GridPrintLines(rows);
    EXPECT_EQ(print.size(), 8u);
    EXPECT_EQ(print[6], "");
    EXPECT_EQ(print[7], "     " + row2);
}

} // namespace
} // namespace vemo
