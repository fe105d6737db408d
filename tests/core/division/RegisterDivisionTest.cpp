// Registration of a division: where the new points go, how the parts become parcels, which names
// are refused.
#include "support/ErrorMessage.h"

#include "core/division/RegisterDivision.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

// The 10 m square A B C D, then a row left at "0.000" and an empty entry row, which the new points
// fill before any row is appended.
struct RegistrationSite : ::testing::Test {
    RegistrationSite() {
        store.xyz.ReplaceAll({{"", "A", "0.000", "0.000"},
                              {"", "B", "10.000", "0.000"},
                              {"", "C", "10.000", "10.000"},
                              {"", "T9", "10.000", "20.000"},
                              {"", "D", "0.000", "10.000"},
                              {"", "Z", "0.000", "0.000", "", "KY", ""},
                              {"", "", "", ""}});
        parallel.p1 = {10, 3};
        parallel.p2 = PlanePoint{0, 3};
        parallel.secured.names = {"A", "B", "P1Tmp", "P2Tmp", "A"};
        parallel.remainder.names = {"C", "D", "P2Tmp", "P1Tmp", "C"};
        onePoint.p1 = {10, 5};
        onePoint.secured.names = {"A", "B", "P1Tmp", "A"};
        onePoint.remainder.names = {"A", "P1Tmp", "C", "D", "A"};
    }
    std::vector<std::string> Row(int row) const {
        const XyzRow& r = store.xyz.Row(row);
        return {r.begin(), r.end()};
    }
    Store store;
    DivisionResult parallel, onePoint;
};

TEST_F(RegistrationSite, SuggestsNamesAfterTheLastPointAndParcel) {
    DivisionRegistration names = SuggestDivisionNames(store);
    // D is the last row with coordinates ("Z" stands at "0.000"); a name without digits counts on as 2.
    EXPECT_EQ(names.p1Name, "D2");
    EXPECT_EQ(names.p2Name, "D3");
    EXPECT_EQ(names.securedParcelName, "1");
    EXPECT_EQ(names.remainderParcelName, "2");
    store.blocks.Add({"K-09", "A,B,C,A,", 5});
    names = SuggestDivisionNames(store);
    EXPECT_EQ(names.securedParcelName, "K-10");
    EXPECT_EQ(names.remainderParcelName, "K-11");
}

TEST_F(RegistrationSite, ParallelResultFillsRowsAndAddsBothParcels) {
    const std::string remark = Jp("面分");
    RegisterDivision(store, parallel, {"P10", "P11", true, true, "5-1", "5-2"});
    // Z is a named point at the local origin and stays; the empty entry row is reused.
    EXPECT_EQ(Row(6), (std::vector<std::string>{"6", "Z", "0.000", "0.000", "", "KY", ""}));
    EXPECT_EQ(Row(7), (std::vector<std::string>{"7", "P10", "10.000", "3.000", "0.000", "", remark}));
    EXPECT_EQ(Row(8), (std::vector<std::string>{"8", "P11", "0.000", "3.000", "0.000", "", remark}));
    EXPECT_EQ(store.xyz.RowCount(), 9);
    ASSERT_EQ(store.blocks.Count(), 2);
    const Block& secured = store.blocks.At(0);
    EXPECT_EQ(secured.BlockName, "5-1");
    EXPECT_EQ(secured.NoList, "A,B,P10,P11,A,");
    EXPECT_EQ(secured.NoRowCount, 6);
    EXPECT_DOUBLE_EQ(secured.LabelX, 4); // (0 + 10 + 10 + 0 + 0) / 5, A counted twice
    EXPECT_DOUBLE_EQ(secured.LabelY, 1.2);
    EXPECT_EQ(store.blocks.At(1).NoList, "C,D,P11,P10,C,");
}

TEST_F(RegistrationSite, OnePointResultWritesP1OnlyAndTheKeptParts) {
    RegisterDivision(store, onePoint, {"P10", "", true, false, "7", ""});
    EXPECT_EQ(Row(7)[1], "P10");
    EXPECT_EQ(store.xyz.RowCount(), 8);
    ASSERT_EQ(store.blocks.Count(), 1);
    EXPECT_EQ(store.blocks.At(0).NoList, "A,B,P10,A,");
    EXPECT_DOUBLE_EQ(store.blocks.At(0).LabelX, 5); // (0 + 10 + 10 + 0) / 4
    EXPECT_DOUBLE_EQ(store.blocks.At(0).LabelY, 1.25);

    RegisterDivision(store, onePoint, {"P20", "", false, false, "", ""}); // points only
    EXPECT_EQ(Row(8)[1], "P20");
    EXPECT_EQ(store.blocks.Count(), 1);
}

// Each refused registration changes neither list.
TEST_F(RegistrationSite, RefusesNamesThatWouldCorruptLookups) {
    store.blocks.Add({"5-1", "A,B,C,A,", 5});
    const struct {
        DivisionRegistration names;
        const char* message;
    } cases[] = {
        {{"", "P11", true, false, "6", ""}, "点名を入力してください"},
        {{"P10", "", true, false, "6", ""}, "点名を入力してください"},
        {{"P10", "C", true, false, "6", ""}, "点名 C は既に登録されています"},
        {{"P10", "P10", true, false, "6", ""}, "P1とP2に同じ点名は付けられません"},
        {{"P10", "P11", true, false, "", ""}, "地番を入力してください"},
        {{"P10", "P11", false, true, "", "5-1"}, "地番 5-1 は既に登録されています"},
        {{"P10", "P11", true, true, "6", "6"}, "求積側と残地側に同じ地番は付けられません"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf([&] { RegisterDivision(store, parallel, c.names); }), c.message);
        EXPECT_EQ(Row(6)[1], "Z");
        EXPECT_EQ(store.blocks.Count(), 1);
    }
    // An unkept part's name is not looked at.
    EXPECT_EQ(MessageOf([&] {
                  CheckDivisionNames(store, parallel, {"P10", "P11", true, false, "6", "5-1"});
              }),
              "(no error)");
}

} // namespace
} // namespace vemo::test
