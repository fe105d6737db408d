// 地積 as registered by land category: hundredths for 宅地 and 鉱泉地, whole square metres for the others
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

TEST(LandCategoryChiseki, HandWorkedTable) {
    struct Row {
        std::int64_t hundredths;
        const char* category;
        std::int64_t registered;
        const char* written;
    };
    // Worked by hand from the rule: 10.00 m² does not exceed 10 m², so it keeps its hundredths in every
    // category; 10.01 m² does, and loses them outside 宅地 and 鉱泉地.
    const Row rows[] = {
        {1000, "山林", 1000, "10.00"},    {1000, "宅地", 1000, "10.00"},
        {1001, "山林", 1000, "10"},       {1001, "宅地", 1001, "10.01"},
        {999, "山林", 999, "9.99"},       {25099, "山林", 25000, "250"},
        {25099, "宅地", 25099, "250.99"}, {25099, "鉱泉地", 25099, "250.99"},
        {25099, "畑", 25000, "250"},      {100000099, "雑種地", 100000000, "1000000"},
        {1001, "", 1001, "10.01"},        {5, "山林", 5, "0.05"},
    };
    for (const Row& row : rows) {
        std::string category = Jp(row.category);
        EXPECT_EQ(CategoryChisekiHundredths(row.hundredths, category), row.registered)
            << row.category << row.hundredths;
        EXPECT_EQ(FormatCategoryChiseki(row.hundredths, category), row.written) << row.category << row.hundredths;
    }
}

TEST(LandCategoryChiseki, FromCoordinatesOnThePlane) {
    // A 4.004 m × 2.5 m rectangle in zone IX: 10.010 m², 地積 10.01; as 山林 it is registered as 10.
    // A 4.001 m one is 10.0025 m², truncated to 10.00, which does not exceed 10 m².
    auto figures = [](double side) {
        return RingAreaFigures({{"A", -35000.000, -8000.000, true},
                                {"B", -35000.000 + side, -8000.000, true},
                                {"C", -35000.000 + side, -7997.500, true},
                                {"D", -35000.000, -7997.500, true}});
    };
    EXPECT_EQ(FormatCategoryChiseki(figures(4.004).chisekiHundredths, Jp("山林")), "10");
    EXPECT_EQ(FormatCategoryChiseki(figures(4.004).chisekiHundredths, Jp("宅地")), "10.01");
    EXPECT_EQ(FormatCategoryChiseki(figures(4.001).chisekiHundredths, Jp("山林")), "10.00");
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
