// The three ways transformed points enter the coordinate list.
#include "core/transform/RegisterTransformed.h"
#include "support/ErrorMessage.h"

#include "core/edit/RegisteredName.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

// Old points 11, 12, a named point T9 at the local origin and an empty entry row, which registration
// fills before it appends.  The transformation is a pure shift by (+100, +200).
struct TransformedSite : ::testing::Test {
    TransformedSite() {
        store.xyz.ReplaceAll({{"", "11", "1.000", "2.000", "5.000", "KY", ""},
                              {"", "12", "3.000", "4.000", "6.000", "", ""},
                              {"", "T9", "0.000", "0.000", "", "HK", ""},
                              {"", "", "", "", "", "", ""}});
        shift.method = TransformMethod::Helmert;
        shift.x0 = 100;
        shift.y0 = 200;
    }
    std::vector<std::string> Row(int row) const {
        const XyzRow& r = store.xyz.Row(row);
        return {r.begin(), r.end()};
    }
    Store store;
    Transformation shift;
};

TEST_F(TransformedSite, ReplaceOverwritesOnlyTheSelectedCoordinates) {
    const int count = RegisterTransformed(store, shift, {"12", "", "NOPE"}, {});
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Row(1), (std::vector<std::string>{"1", "11", "1.000", "2.000", "5.000", "KY", ""}));
    EXPECT_EQ(Row(2), (std::vector<std::string>{"2", "12", "103.000", "204.000", "6.000", "", ""}));
    EXPECT_EQ(store.xyz.RowCount(), 5);
    EXPECT_EQ(store.FindPointXY("12")->x, 103); // the index follows
}

TEST_F(TransformedSite, AppendedPointsFillRowsAfterTheLastCoordinates) {
    const std::string remark = Jp("座変");
    TransformRegistrationOptions affixed{TransformRegistration::AffixedName, "", "#", ""};
    EXPECT_EQ(RegisterTransformed(store, shift, {"12", "11"}, affixed), 2);
    // Selection order; T9 at the origin is a real point and stays, the empty row is reused.
    EXPECT_EQ(Row(3), (std::vector<std::string>{"3", "T9", "0.000", "0.000", "", "HK", ""}));
    EXPECT_EQ(Row(4), (std::vector<std::string>{"4", "12#", "103.000", "204.000", "0.000", "", remark}));
    EXPECT_EQ(Row(5), (std::vector<std::string>{"5", "11#", "101.000", "202.000", "0.000", "", remark}));
    EXPECT_EQ(store.xyz.RowCount(), 6);

    TransformRegistrationOptions numbered{TransformRegistration::NewNames, "", "#", "K09"};
    EXPECT_EQ(RegisterTransformed(store, shift, {"11", "12"}, numbered), 2);
    EXPECT_EQ(Row(6), (std::vector<std::string>{"6", "K09", "101.000", "202.000", "0.000", "", remark}));
    EXPECT_EQ(Row(7), (std::vector<std::string>{"7", "K10", "103.000", "204.000", "0.000", "", remark}));
    EXPECT_TRUE(store.FindPointXY("K10"));
    EXPECT_EQ(NameAfterLastCoordinateRow(store.xyz), "K11");
}

// A name that would make a later lookup find the wrong point refuses the whole registration.
TEST_F(TransformedSite, RefusesAppendedNamesTheListAlreadyHolds) {
    const struct {
        TransformRegistrationOptions options;
        std::vector<std::string> selection;
        const char* message;
    } cases[] = {
        {{TransformRegistration::AffixedName, "", "", ""}, {"11"}, "点名 11 は既に登録されています"},
        {{TransformRegistration::AffixedName, "", "#", ""},
         {"12", "12"},
         "点名 12# は登録する点の中で2度使われています"},
        {{TransformRegistration::NewNames, "", "#", "T8"}, {"11", "12"}, "点名 T9 は既に登録されています"},
        {{TransformRegistration::NewNames, "", "#", ""}, {"11"}, "点名を入力してください"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf([&] { RegisterTransformed(store, shift, c.selection, c.options); }), c.message);
        EXPECT_EQ(store.xyz.Cell(3, kColName), "T9");
        EXPECT_EQ(store.xyz.Cell(4, kColName), "");
    }
}

TEST(RegisteredName, FollowsTheLastRowWithCoordinates) {
    XyzList list;
    EXPECT_EQ(NameAfterLastCoordinateRow(list), "1");
    list.ReplaceAll({{"", "A9", "1.000", ""}, {"", "B3", "0.000", "0.000"}, {"", "", "", ""}});
    EXPECT_EQ(NameAfterLastCoordinateRow(list), "A10");
}

} // namespace
} // namespace vemo::test
