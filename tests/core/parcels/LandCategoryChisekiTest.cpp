// 地目 and the 地積 registered for it: hundredths for 宅地 and 鉱泉地, whole square metres for the others
// once the area exceeds 10 m².
#include "core/parcels/LandCategoryChiseki.h"
#include "core/parcels/AreaReports.h"
#include "core/parcels/ParcelArea.h"
#include "core/parcels/ParcelRing.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

// Rectangles on the millimetre grid in zone IX, so each area below is exact and worked by hand.
ParcelAreaFigures Rectangle(double north, double east) {
    const double x = -35000.000, y = -8000.000;
    return RingAreaFigures(
        {{"A", x, y, true}, {"B", x + north, y, true}, {"C", x + north, y + east, true}, {"D", x, y + east, true}});
}

// 不動産登記規則 100条 worked by hand: hundredths (truncated) for 宅地 and 鉱泉地 and for any land of 10 m²
// or less; whole square metres (truncated) for other land above 10 m², judged on the area itself.
TEST(LandCategoryChiseki, HandWorkedTable) {
    struct Row {
        double north, east; // m
        const char* category;
        std::int64_t registered; // hundredths of m²
        const char* written;
    };
    const Row rows[] = {
        {4.000, 2.500, "山林", 1000, "10.00"},                // 10.0000 m²: not above 10 m²
        {4.000, 2.500, "宅地", 1000, "10.00"},                //
        {4.001, 2.500, "山林", 1000, "10"},                   // 10.0025 m² exceeds 10 m² though it truncates to 10.00
        {4.001, 2.500, "宅地", 1000, "10.00"},                //
        {4.001, 2.500, "鉱泉地", 1000, "10.00"},              //
        {4.004, 2.500, "山林", 1000, "10"},                   // 10.0100 m²
        {4.004, 2.500, "宅地", 1001, "10.01"},                //
        {4.004, 2.500, "", 1001, "10.01"},                    // category not stated: nothing dropped
        {3.996, 2.500, "山林", 999, "9.99"},                  // 9.9900 m²
        {0.100, 0.500, "原野", 5, "0.05"},                    // 0.0500 m²
        {25.099, 10.000, "山林", 25000, "250"},               // 250.9900 m²
        {25.099, 10.000, "畑", 25000, "250"},                 //
        {25.099, 10.000, "宅地", 25099, "250.99"},            //
        {25.099, 10.000, "鉱泉地", 25099, "250.99"},          //
        {20.003, 11.933, "宅地", 23869, "238.69"},            // 238.695799 m²
        {20.003, 11.933, "公衆用道路", 23800, "238"},         //
        {1000.000, 1000.001, "雑種地", 100000100, "1000001"}, // 1,000,001 m²
    };
    for (const Row& row : rows) {
        std::string category = Jp(row.category);
        ParcelAreaFigures figures = Rectangle(row.north, row.east);
        EXPECT_EQ(CategoryChisekiHundredths(figures, category), row.registered) << row.category << row.north;
        EXPECT_EQ(FormatCategoryChiseki(figures, category), row.written) << row.category << row.north;
    }
}

TEST(LandCategoryChiseki, OnlyTheLegalListIsACategory) {
    // 不動産登記規則 99条, written out here as the rule lists them.
    const char* legal[] = {"田",     "畑",   "宅地", "学校用地", "鉄道用地",   "塩田",     "鉱泉地",   "池沼",
                           "山林",   "牧場", "原野", "墓地",     "境内地",     "運河用地", "水道用地", "用悪水路",
                           "ため池", "堤",   "井溝", "保安林",   "公衆用道路", "公園",     "雑種地"};
    EXPECT_EQ(LandCategories().size(), std::size(legal));
    for (const char* name : legal) {
        EXPECT_TRUE(IsLandCategory(Jp(name))) << name;
    }
    // A trailing or leading blank, a wrong character, a full-width blank, the UTF-8 bytes of 宅地, a
    // part of a name, a name with a note: none is a category.
    for (std::string text : {Jp("宅地 "), Jp(" 宅地"), Jp("宅池"), Jp("宅地　"), std::string("宅地"), Jp("宅"),
                             Jp("宅地（一部）"), Jp("溜池"), std::string()}) {
        EXPECT_FALSE(IsLandCategory(text)) << Cp932ToUtf8(text);
    }
}

// The area list and report add the registered 地積 only when asked, and only for parcels with a 地目.
TEST(LandCategoryChiseki, AreaListOptionIsOffByDefault) {
    XyzList list;
    list.ReplaceAll({{"", "A", "-35000.000", "-8000.000", "", "", ""},
                     {"", "B", "-34995.996", "-8000.000", "", "", ""},
                     {"", "C", "-34995.996", "-7997.500", "", "", ""},
                     {"", "D", "-35000.000", "-7997.500", "", "", ""}});
    XyzNameIndex index;
    index.Rebuild(list);
    BlockList blocks;
    blocks.Add(Block{"1", "A,B,C,D,A", 5, 0, 0});
    blocks.Add(Block{"2", "A,B,C,D,A", 5, 0, 0});
    std::vector<std::string> plain = AreaListLines(blocks, {0, 1}, index);
    std::vector<std::string> asked =
        AreaListLines(blocks, {0, 1}, index, [](const std::string& name) { return name == "1" ? Jp("山林") : ""; });
    // 4.004 × 2.5 = 10.01 m²: 地積 10.01, as 山林 registered as 10.
    ASSERT_EQ(asked.size(), plain.size() + 1);
    EXPECT_EQ(Cp932ToUtf8(asked[4]), "地積（山林）         10 ㎡");
    EXPECT_EQ(std::vector<std::string>(asked.begin() + 5, asked.end()),
              std::vector<std::string>(plain.begin() + 4, plain.end()));
    std::vector<ReportLine> report = AreaReportLines(blocks, {0}, index, [](const std::string&) { return Jp("宅地"); });
    EXPECT_EQ(report.size(), AreaReportLines(blocks, {0}, index).size() + 1);
}

} // namespace
} // namespace vemo
