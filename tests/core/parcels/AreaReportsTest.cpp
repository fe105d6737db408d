#include "core/parcels/AreaReports.h"

#include "core/parcels/SequenceEntry.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "support/Utf8Lines.h"

#include "core/text/Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;

XyzList ListOfNames(const std::vector<std::array<const char*, 3>>& points) {
    std::vector<XyzRow> rows;
    for (const auto& [name, x, y] : points) {
        rows.push_back(XyzRow{"", name, x, y, "", "", ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

using test::Utf8;

struct Fixture {
    // A 10 m square running east, north, west, south: anticlockwise on the map, positive sum 200.
    XyzList list = ListOfNames({{"A", "0", "0"}, {"B", "0", "10"}, {"C", "10", "10"}, {"D", "10", "0"}});
    XyzNameIndex index;
    BlockList blocks;
    Fixture() {
        index.Rebuild(list);
        blocks.Add(Block{Jp("一番"), "A,B,NONE,C,D,A,", 7, 0, 0});
        blocks.Add(Block{"TRI", "A,B,C", 4, 0, 0});
    }
};

const std::string kIndent(8, ' ');
const std::string kRule = kIndent + std::string(84, '-');
const std::string kFigures = kIndent + std::string(54, ' ');

// Expected rows worked by hand: differences, sums, products and sides of the square's edges.  The
// missing NONE stands on B (no term, no side) and shows a mark, not B's coordinates; the parcel's
// figures are followed by the names of the missing points.  The closing row returns to A.
TEST(AreaReports, AreaReportCharacterForCharacter) {
    Fixture f;
    Lines expected = {
        "",
        "　　　座標面積計算書",
        "",
        kIndent + "一番",
        kRule,
        "            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長",
        kRule,
        kIndent + " B                  0.000      10.000    0.000      10.000         0.000000  10.000",
        kIndent + " NONE          ** 座標リストにない点 **" + std::string(19 + 9, ' ') + "0.000000   0.000",
        kIndent + " C                 10.000      10.000   10.000      20.000       200.000000  10.000",
        kIndent + " D                 10.000       0.000    0.000      10.000         0.000000  10.000",
        kIndent + " A                  0.000       0.000  -10.000       0.000         0.000000  10.000",
        kRule,
        kFigures + "倍面積     200.0000000",
        kFigures + "面　積     100.0000000",
        kFigures + "地　積     100.00 ㎡",
        kFigures + "坪　数      30.25 坪",
        kIndent + "※ 座標リストにない点: NONE（前の点の座標で計算）",
        kRule,
        "",
        kRule,
        kFigures + "合　計",
        kFigures + "面　積     100.0000000",
        kFigures + "地　積     100.00 ㎡",
        kFigures + "坪　数      30.25 坪",
        kRule,
    };
    EXPECT_EQ(Utf8(AreaReportLines(f.blocks, {0}, f.index)), expected);
    EXPECT_EQ(AreaReportLines(f.blocks, {0}, f.index)[1].style, ReportLine::Style::Title);

    // No parcels: the title, the totals at zero and the rules.
    Lines empty = Utf8(AreaReportLines(f.blocks, {}, f.index));
    ASSERT_EQ(empty.size(), 9u);
    EXPECT_EQ(empty[5], kFigures + "面　積       0.0000000");
}

// A missing first vertex has no point before it: it stands on the first point the list holds after it
// (here A, so the square is whole), and the note says so instead of claiming the point before.
TEST(AreaReports, MissingFirstVertexSaysWhatItTakes) {
    Fixture f;
    f.blocks.Add(Block{"LEAD", "GONE,A,B,C,D,GONE", 6, 0, 0});
    Lines list = Utf8(AreaListLines(f.blocks, {2}, f.index));
    ASSERT_GE(list.size(), 4u);
    EXPECT_EQ(list[1], "※ 座標リストにない点: GONE（前の点の座標で計算。先頭は次の点の座標で計算）");
    EXPECT_EQ(list[3], "地積     100.00 ㎡");
    std::string report;
    for (const std::string& line : Utf8(AreaReportLines(f.blocks, {2}, f.index))) {
        report += line;
    }
    EXPECT_NE(report.find("先頭は次の点の座標で計算"), std::string::npos) << report;
}

// Point names of 13 to 16 bytes are valid names: their rows keep every column under its head and end
// where a short name's row ends, 91 columns (8 + 1 + 12 + 12 + 12 + 9 + 12 + 17 + 8), inside the
// 92-column rule.
TEST(AreaReports, LongPointNamesKeepTheColumns) {
    XyzList list = ListOfNames({{"BOUNDARY-0000001", "-34987.666", "-8000.247"},
                                {"KOUJI-2026-0012", "-34987.868", "-7979.899"},
                                {"A", "-35000.200", "-7979.800"},
                                {"SHORTNAME123", "-35000.000", "-8000.000"}});
    XyzNameIndex index;
    index.Rebuild(list);
    BlockList blocks;
    blocks.Add(Block{"L", "BOUNDARY-0000001,KOUJI-2026-0012,A,SHORTNAME123,BOUNDARY-0000001", 5, 0, 0});
    Lines report = Utf8(AreaReportLines(blocks, {0}, index));
    int rows = 0;
    for (const std::string& line : report) {
        bool ringRow = line.find("-3498") != std::string::npos || line.find("-3500") != std::string::npos;
        if (ringRow) {
            ++rows;
            EXPECT_EQ(line.size(), 91u) << line;
            // The product (the trapezoid term) ends in column 83, the side fills 84 to 91.
            EXPECT_NE(line[82], ' ') << line;
            EXPECT_EQ(line[83], ' ') << line;
        }
    }
    EXPECT_EQ(rows, 4);
}

TEST(AreaReports, AreaListAndParcelListPrint) {
    Fixture f;
    // Triangle A B C: half the square.  坪数 of 50.00: 5000 × 0.3025 = 1512.5 -> 15.12.
    Lines expected = {"一番",
                      "※ 座標リストにない点: NONE（前の点の座標で計算）",
                      "面積     100.0000000",
                      "地積     100.00 ㎡",
                      "坪数      30.25 坪",
                      "",
                      "TRI",
                      "面積      50.0000000",
                      "地積      50.00 ㎡",
                      "坪数      15.12 坪",
                      "",
                      "合計",
                      "面積     150.0000000",
                      "地積     150.00 ㎡",
                      "坪数      45.37 坪"};
    EXPECT_EQ(Utf8(AreaListLines(f.blocks, {0, 1}, f.index)), expected);
    EXPECT_EQ(Utf8(AreaListLines(f.blocks, {}, f.index)),
              (Lines{"合計", "面積       0.0000000", "地積       0.00 ㎡", "坪数       0.00 坪"}));

    // The vertex list exactly as stored, trailing comma included.
    EXPECT_EQ(Utf8(ParcelListPrintLines(f.blocks)),
              (Lines{"", "", "", "一番", "A,B,NONE,C,D,A,", "", "", "TRI", "A,B,C", ""}));
}

// Public plane coordinates, worked by hand.  一番 is a 23 m × 30 m rectangle near (−145123, 98765) with
// a vertex deleted after registration (GONE): 690 m², 690 × 0.3025 = 208.725 -> 208.72 坪.  二番 is a
// 1 km square near (−299877, −199765): products of nine integer digits and sides of four, and every
// column still stands apart from the next.
TEST(AreaReports, ReportLinesAtPublicCoordinates) {
    XyzList list = ListOfNames({{"A", "-145123.456", "98765.432"},
                                {"B", "-145100.456", "98765.432"},
                                {"C", "-145100.456", "98795.432"},
                                {"D", "-145123.456", "98795.432"},
                                {"P", "-299877.000", "-199765.000"},
                                {"Q", "-298877.000", "-199765.000"},
                                {"R", "-298877.000", "-198765.000"},
                                {"S", "-299877.000", "-198765.000"}});
    XyzNameIndex index;
    index.Rebuild(list);
    BlockList blocks;
    blocks.Add(Block{Jp("一番"), "A,B,GONE,C,D,A,", 7, 0, 0});
    blocks.Add(Block{Jp("二番"), "P,Q,R,S,P,", 6, 0, 0});
    Lines lines = Utf8(AreaReportLines(blocks, {0, 1}, index));
    Lines expected = {
        "",
        "　　　座標面積計算書",
        "",
        kIndent + "一番",
        kRule,
        "            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長",
        kRule,
        kIndent + " B            -145100.456   98765.432   23.000  197530.864   4543209.872000  23.000",
        kIndent + " GONE          ** 座標リストにない点 **" + std::string(19 + 9, ' ') + "0.000000   0.000",
        kIndent + " C            -145100.456   98795.432    0.000  197560.864         0.000000  30.000",
        kIndent + " D            -145123.456   98795.432  -23.000  197590.864  -4544589.872000  23.000",
        kIndent + " A            -145123.456   98765.432    0.000  197560.864         0.000000  30.000",
        kRule,
        kFigures + "倍面積   -1380.0000000",
        kFigures + "面　積     690.0000000",
        kFigures + "地　積     690.00 ㎡",
        kFigures + "坪　数     208.72 坪",
        kIndent + "※ 座標リストにない点: GONE（前の点の座標で計算）",
        kRule,
        "",
        kIndent + "二番",
        kRule,
        "            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長",
        kRule,
        kIndent + " Q            -298877.000 -199765.000 1000.000 -399530.000 -399530000.000000 1000.000",
        kIndent + " R            -298877.000 -198765.000    0.000 -398530.000         0.000000 1000.000",
        kIndent + " S            -299877.000 -198765.000 -1000.000 -397530.000 397530000.000000 1000.000",
        kIndent + " P            -299877.000 -199765.000    0.000 -398530.000         0.000000 1000.000",
        kRule,
        kFigures + "倍面積 -2000000.0000000",
        kFigures + "面　積 1000000.0000000",
        kFigures + "地　積 1000000.00 ㎡",
        kFigures + "坪　数  302500.00 坪",
        kRule,
        "",
        kRule,
        kFigures + "合　計",
        kFigures + "面　積 1000690.0000000",
        kFigures + "地　積 1000690.00 ㎡",
        kFigures + "坪　数  302708.72 坪",
        kRule,
    };
    EXPECT_EQ(lines, expected);
}

// An exact decimal read of a printed figure: the digits without the point, as an integer in units of
// the last decimal.
long long PrintedUnits(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != '.') {
            digits += c;
        }
    }
    return std::stoll(digits);
}

// Random rings around two common plane-coordinate positions: the printed products of each parcel add
// up exactly to its printed 倍面積, and that is the shoelace sum Σ (Xn·Yn−1 − Xn−1·Yn) of the
// coordinates in whole millimetres (a different formula from the trapezoid sum the report shows).
TEST(AreaReports, PrintedProductsAddUpToThePrintedDoubleArea) {
    std::mt19937 random(28);
    const std::pair<long long, long long> centres[] = {{-145123000, 98765000}, {-299877000, -199765000}};
    int rings = 0;
    for (const auto& [cx, cy] : centres) {
        for (int trial = 0; trial < 100; ++trial, ++rings) {
            const int count = 3 + static_cast<int>(random() % 10);
            std::vector<std::array<std::string, 3>> points;
            std::vector<std::pair<long long, long long>> mm;
            std::string noList;
            for (int i = 0; i < count; ++i) {
                // A star-shaped ring: angles in order, radii up to 400 m, coordinates in millimetres.
                double angle = 2 * M_PI * (i + std::uniform_real_distribution<double>(0, 0.9)(random)) / count;
                double radius = std::uniform_real_distribution<double>(5, 400)(random) * 1000;
                long long x = cx + std::llround(radius * std::cos(angle));
                long long y = cy + std::llround(radius * std::sin(angle));
                mm.emplace_back(x, y);
                auto metres = [](long long v) {
                    return Sprintf("%s%lld.%03lld", v < 0 ? "-" : "", std::llabs(v) / 1000, std::llabs(v) % 1000);
                };
                points.push_back({"V" + std::to_string(i), metres(x), metres(y)});
                noList += "V" + std::to_string(i) + ",";
            }
            XyzList list;
            std::vector<XyzRow> rows;
            for (const auto& [name, x, y] : points) {
                rows.push_back(XyzRow{"", name, x, y, "", "", ""});
            }
            list.ReplaceAll(std::move(rows));
            XyzNameIndex index;
            index.Rebuild(list);
            BlockList blocks;
            blocks.Add(Block{"R", noList + "V0,", count + 2, 0, 0});
            Lines lines = Utf8(AreaReportLines(blocks, {0}, index));

            __int128 shoelace = 0; // mm²
            for (int i = 0; i < count; ++i) {
                auto [x, y] = mm[i];
                auto [px, py] = mm[(i + count - 1) % count];
                shoelace += static_cast<__int128>(x) * py - static_cast<__int128>(px) * y;
            }
            long long productSum = 0; // 10⁻⁶ m²
            for (int row = 0; row < count; ++row) {
                std::istringstream fields(lines[7 + row]);
                std::vector<std::string> words{std::istream_iterator<std::string>(fields), {}};
                ASSERT_EQ(words.size(), 7u) << lines[7 + row];
                productSum += PrintedUnits(words[5]);
            }
            std::istringstream figures(lines[7 + count + 1]);
            std::string label;
            std::string printed;
            figures >> label >> printed;
            ASSERT_EQ(label, "倍面積");
            SCOPED_TRACE(lines[7 + count + 1]);
            EXPECT_EQ(PrintedUnits(printed), productSum * 10);
            EXPECT_EQ(static_cast<long long>(shoelace), productSum);
        }
    }
    EXPECT_EQ(rings, 200);
}

// A vertex list too long for a line of the sheet goes on over several lines, broken after commas: no
// name is cut, and the lines joined are the stored text.
TEST(AreaReports, ParcelListPrintWrapsLongVertexLists) {
    for (int count : {31, 200}) {
        std::string noList;
        for (int i = 1; i <= count; ++i) {
            noList += Jp("境界") + std::to_string(1000 + i) + ",";
        }
        noList += Jp("境界") + "1001,";
        BlockList blocks;
        blocks.Add(Block{"LONG", noList, count + 2, 0, 0});
        std::vector<ReportLine> lines = ParcelListPrintLines(blocks);
        ASSERT_GT(lines.size(), 6u);
        std::string joined;
        for (size_t i = 4; i + 1 < lines.size(); ++i) {
            EXPECT_LE(lines[i].text.size(), 92u);
            EXPECT_EQ(lines[i].text.back(), ',');
            joined += lines[i].text;
        }
        EXPECT_EQ(joined, noList);
        EXPECT_EQ(lines.back().text, "");
    }
}

TEST(SequenceEntry, RunsBetweenTwoNumbers) {
    XyzList list =
        ListOfNames({{"T1", "1", "1"},   {"T2", "1", "1"},  {"T3", "1", "1"},   {"T4", "1", "1"},   {"T5", "1", "1"},
                     {"T7", "1", "1"},   {"T8", "1", "1"},  {"T9", "1", "1"},   {"T10", "1", "1"},  {"T010", "1", "1"},
                     {"T05", "1", "1"},  {"K3", "1", "1"},  {"P009", "1", "1"}, {"P010", "1", "1"}, {"P011", "1", "1"},
                     {"P012", "1", "1"}, {"P10", "1", "1"}, {"2", "1", "1"},    {"3", "1", "1"},    {"4", "1", "1"},
                     {"5", "1", "1"}});
    XyzNameIndex index;
    index.Rebuild(list);
    struct Case {
        const char* previous;
        const char* target;
        std::optional<Lines> names;
    };
    const std::vector<Case> cases = {
        {"T5", "T8", Lines{"T7", "T8"}},                 // T6 is not in the list: skipped
        {"T5", "T2", Lines{"T4", "T3", "T2"}},           // counting down
        {"T5", "K3", std::nullopt},                      // another prefix
        {"T5", "T5", std::nullopt},                      // the same point
        {"T5", "T99", std::nullopt},                     // target not in the list
        {"P009", "P012", Lines{"P010", "P011", "P012"}}, // the width is kept: P10 is not in this run
        {"T5", "T010", Lines{"T7", "T8", "T9", "T010"}}, // never meets T010: ends at number 10, then T010
        {"T05", "T5", Lines{"T5"}},                      // the same number written differently
        {"5", "2", Lines{"4", "3", "2"}},                // a lone digit counts down like any number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.previous) + " +" + c.target);
        EXPECT_EQ(SequenceNames(c.previous, c.target, index), c.names);
    }
}

} // namespace
} // namespace vemo
