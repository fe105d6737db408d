#include "core/print/CoordinateListPrint.h"

#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "support/Utf8Lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;

XyzList NumberedList(int count) {
    std::vector<XyzRow> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(XyzRow{"", "P" + std::to_string(i), std::to_string(i) + ".000", "2.000", "", "", ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

using test::Utf8;

const std::string kRule = std::string(8, ' ') + std::string(85, '-');
constexpr size_t kHeadLines = 9; // empty, page number, 3 empty, title, empty, column header, rule

// Printed rows of a page: the lines between the head and the closing rule.
Lines RowsOf(const Lines& page) {
    return Lines(page.begin() + kHeadLines, page.end() - 1);
}

TEST(CoordinateListPrint, PageLayout) {
    XyzList list;
    list.ReplaceAll({XyzRow{"", "K1", "-12.345", "6.000", "1.5", Jp("金属標"), Jp("境界")}});
    Lines page = Utf8(CoordinateListPrint::WholeList(list).Page(0));
    Lines expected = {
        "",
        std::string(85, ' ') + "<  1  >",
        "",
        "",
        "",
        "　　　座標リスト",
        "",
        std::string(11, ' ') + "№" + std::string(7, ' ') + "点名" + std::string(10, ' ') + "X" + std::string(11, ' ') +
            "Y" + std::string(10, ' ') + "Z" + std::string(11, ' ') + "点種" + std::string(12, ' ') + "備考" +
            std::string(5, ' '),
        kRule,
        "            1   K1               -12.345       6.000       1.5  金属標          境界          ",
        kRule,
    };
    EXPECT_EQ(page, expected);
}

// Pages are cut every 65 source rows whether or not a row is printed.
TEST(CoordinateListPrint, PaginationBySourceIndex) {
    XyzList list65 = NumberedList(65);
    EXPECT_EQ(CoordinateListPrint::WholeList(list65).PageCount(), 1);
    EXPECT_EQ(RowsOf(Utf8(CoordinateListPrint::WholeList(list65).Page(0))).size(), 65u);

    XyzList list66 = NumberedList(66);
    CoordinateListPrint print66 = CoordinateListPrint::WholeList(list66);
    ASSERT_EQ(print66.PageCount(), 2);
    Lines second = Utf8(print66.Page(1));
    EXPECT_EQ(second[1], std::string(85, ' ') + "<  2  >");
    ASSERT_EQ(RowsOf(second).size(), 1u);
    EXPECT_EQ(RowsOf(second)[0].substr(0, 20), "           66   P66 ");

    // Rows 2 and 3 without coordinates or without a name leave gaps, not shifted pages.
    XyzList gaps = NumberedList(67);
    gaps.SetCell(2, kColX, "0.000");
    gaps.SetCell(2, kColY, "0.000");
    gaps.SetCell(3, kColName, "");
    CoordinateListPrint printGaps = CoordinateListPrint::WholeList(gaps);
    EXPECT_EQ(RowsOf(Utf8(printGaps.Page(0))).size(), 63u);
    EXPECT_EQ(RowsOf(Utf8(printGaps.Page(1))).size(), 2u);

    // The only row without coordinates: one page with the head and the closing rule only.
    XyzList none;
    EXPECT_EQ(Utf8(CoordinateListPrint::WholeList(none).Page(0)).size(), kHeadLines + 1);
}

TEST(CoordinateListPrint, SelectionPagesAndLookups) {
    XyzList list = NumberedList(5);
    // Entries 0 .. 64 make page 1; the empty entry row and a name the list lacks print nothing.
    CoordinateListPrint three = CoordinateListPrint::Selection(list, {"P3", "GONE", "P1", ""});
    ASSERT_EQ(three.PageCount(), 1);
    Lines rows = RowsOf(Utf8(three.Page(0)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(0, 20), "            3   P3  ");
    EXPECT_EQ(rows[1].substr(0, 20), "            1   P1  ");

    // 65 names and the empty entry row: one sheet, not a second one holding nothing.
    std::vector<std::string> selection(65, "P2");
    selection.push_back("");
    EXPECT_EQ(CoordinateListPrint::Selection(list, selection).PageCount(), 1);
    selection.back() = "P4"; // a 66th name opens page 2 for itself
    selection.push_back("");
    EXPECT_EQ(CoordinateListPrint::Selection(list, selection).PageCount(), 2);
}

// The grid's proposed entry row holds a name and no coordinates: it is no point, prints nothing and
// never takes a sheet of its own; nor does a row with only one of X and Y.
TEST(CoordinateListPrint, RowsWithoutCoordinatesAreNoPoints) {
    XyzList list = NumberedList(65);
    list.SetCell(5, kColY, "");
    list.AppendRows({XyzRow{"", "P66", "", "", "", "", ""}});
    CoordinateListPrint print = CoordinateListPrint::WholeList(list);
    ASSERT_EQ(print.PageCount(), 1);
    Lines rows = RowsOf(Utf8(print.Page(0)));
    EXPECT_EQ(rows.size(), 64u);
    EXPECT_EQ(rows[4].substr(0, 20), "            6   P6  ");
}

// Names of 1 to 16 bytes (half- and double-byte characters) with coordinates anywhere within ±300 km:
// every text stands at its column as the heading places it (№ and the figures end at 13, 40, 52, 62;
// name, 点種 and 備考 begin at 16, 64, 80, counted in bytes of the CP932 line), or, where the text
// before it runs into that column, one blank after that text; nothing runs past the rule.
TEST(CoordinateListPrint, LongPointNamesKeepTheColumns) {
    std::mt19937 random(39);
    const std::vector<std::string> doubleBytes = {Jp("境"), Jp("界"), Jp("ア"), Jp("１")};
    const std::vector<std::string> types = {"", Jp("金属標"), Jp("コンクリート杭"), "KUI"};
    const std::vector<std::string> remarks = {"", Jp("境界"), "B-12"};
    auto figure = [&](double low, double high) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", std::uniform_real_distribution<double>(low, high)(random));
        return std::string(text);
    };
    std::vector<XyzRow> rows;
    for (int i = 0; i < 300; ++i) {
        size_t length = 1 + i % 16;
        std::string name;
        while (name.size() < length) {
            if (name.size() + 2 <= length && random() % 2 == 0) {
                name += doubleBytes[random() % doubleBytes.size()];
            } else {
                name += static_cast<char>('A' + random() % 26);
            }
        }
        rows.push_back(XyzRow{"", name, figure(-300000, 300000), figure(-300000, 300000), figure(-99, 999),
                              types[random() % types.size()], remarks[random() % remarks.size()]});
    }
    rows.push_back(
        XyzRow{"", "BOUNDARY-0000001", "-299999.999", "-299999.999", "-99.999", Jp("コンクリート杭"), Jp("境界")});
    XyzList list;
    list.ReplaceAll(rows);
    CoordinateListPrint print = CoordinateListPrint::WholeList(list);
    size_t checked = 0;
    for (int page = 0; page < print.PageCount(); ++page) {
        std::vector<ReportLine> lines = print.Page(page);
        for (size_t l = kHeadLines; l + 1 < lines.size(); ++l, ++checked) {
            const std::string& line = lines[l].text;
            const XyzRow& row = rows[checked];
            SCOPED_TRACE(Cp932ToUtf8(line));
            size_t end = 0; // where the text placed last ends
            auto right = [&](const std::string& text, size_t column) {
                size_t want = std::max(column, end + 1 + text.size());
                EXPECT_EQ(line.substr(want - text.size(), text.size()), text);
                EXPECT_EQ(line[want - text.size() - 1], ' ');
                end = want;
            };
            auto left = [&](const std::string& text, size_t column) {
                if (text.empty()) {
                    return;
                }
                size_t want = std::max(column, end + 1);
                EXPECT_EQ(line.substr(want, text.size()), text);
                EXPECT_EQ(line[want - 1], ' ');
                end = want + text.size();
            };
            right(std::to_string(checked + 1), 13);
            left(row[kColName], 16);
            right(row[kColX], 40);
            right(row[kColY], 52);
            right(row[kColZ], 62);
            left(row[kColTensyu], 64);
            left(row[kColBiko], 80);
            EXPECT_EQ(line.find_first_not_of(' ', end), std::string::npos);
            EXPECT_LE(end, kRule.size());
        }
    }
    EXPECT_EQ(checked, rows.size());
}

} // namespace
} // namespace vemo
