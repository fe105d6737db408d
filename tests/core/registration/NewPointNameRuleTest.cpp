// The one rule for the name of a new point, over every route that adds points to the coordinate list:
// a name held by a point is refused naming it, a row holding only the name is filled, an empty or too
// long name is refused, and a refusal leaves the list as it was.
#include "core/traverse/TrvsFixture.h"

#include "core/calc/CalcEntry.h"
#include "core/division/RegisterDivision.h"
#include "core/edit/NewPointNames.h"
#include "core/serial/ReceivedPointRows.h"
#include "core/text/Error.h"
#include "core/transform/RegisterTransformed.h"
#include "core/traverse/RegisterTraverse.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace vemo::test {
namespace {

// Registers one new point named `name` through a route.
using Route = std::function<void(TrvsFixture&, const std::string& name)>;

struct NamedRoute {
    const char* label;
    Route run;
};

Transformation Shift() {
    Transformation shift;
    shift.x0 = 1;
    shift.y0 = 1;
    return shift;
}

std::vector<NamedRoute> Routes() {
    return {
        {"calculation",
         [](TrvsFixture& f, const std::string& name) {
             RegisterCalcPoint(f.store.xyz, name, {1, 2}, "x");
         }},
        {"parallel shift follow-on",
         [](TrvsFixture& f, const std::string& name) {
             RegisterCalcPoints(f.store.xyz, {{"Q1", {1, 2}}, {name, {3, 4}}}, "x");
         }},
        {"transformation prefix+name+suffix",
         [](TrvsFixture& f, const std::string& name) {
             // The old point "A" with the rest of the wanted name as suffix; an empty name cannot arise.
             RegisterTransformed(f.store, Shift(), {"A"},
                                 {TransformRegistration::AffixedName, "", name.empty() ? "" : name.substr(1), ""});
         }},
        {"transformation new names",
         [](TrvsFixture& f, const std::string& name) {
             RegisterTransformed(f.store, Shift(), {"A"}, {TransformRegistration::NewNames, "", "", name});
         }},
        {"division",
         [](TrvsFixture& f, const std::string& name) {
             DivisionResult result;
             result.p1 = {150, 250};
             result.secured.names = {"A", "B", kP1Placeholder, "A"};
             DivisionRegistration names;
             names.p1Name = name;
             names.securedParcelName = "9";
             RegisterDivision(f.store, result, names);
         }},
        {"traverse",
         [](TrvsFixture& f, const std::string& name) {
             f.Start(kTrvsRadial, "A", "100.000", "200.000", "N", "180.0000", true);
             f.Row("K", name, "0.0000", "90.0000", "100.000");
             if (!RegisterTraverse(f.state, f.Input(), f.store.xyz)) {
                 throw std::logic_error("nothing computed");
             }
         }},
        {"serial line",
         [](TrvsFixture& f, const std::string& name) {
             ReceivedPointRows rows(f.store.xyz);
             rows.Add({name, "1.000", "2.000", "0.000"});
         }},
    };
}

// A point "A", a point "A1", "A2" on a row with a name and nothing else (the grid's proposed entry row).
void FillBase(TrvsFixture& f) {
    f.AddPoint("A", "100.000", "200.000");
    f.AddPoint("B", "100.000", "300.000");
    f.AddPoint("A1", "110.000", "210.000");
    XyzRow nameOnly;
    nameOnly[kColName] = "A2";
    f.store.xyz.AppendRows({nameOnly});
}

std::vector<XyzRow> Rows(const XyzList& list) {
    std::vector<XyzRow> rows;
    for (int row = 0; row < list.RowCount(); ++row) {
        rows.push_back(list.Row(row));
    }
    return rows;
}

// The message of the refusal, in UTF-8, or nothing when the route registered.
std::optional<std::string> Refusal(const Route& route, TrvsFixture& f, const std::string& name) {
    try {
        route(f, name);
    } catch (const Error& error) {
        return Cp932ToUtf8(error.what());
    }
    return std::nullopt;
}

TEST(NewPointNameRule, EveryRouteRefusesHeldEmptyAndLongNamesAndFillsANameOnlyRow) {
    const std::string seventeen = "A" + std::string(16, '7');
    for (const NamedRoute& route : Routes()) {
        SCOPED_TRACE(route.label);
        struct Case {
            std::string name;
            const char* refusal; // nullptr: registered
        };
        for (const Case& c : {Case{"A1", "A1 は既に登録されています"}, Case{"A2", nullptr},
                              Case{seventeen, "16バイトを超える"}, Case{"", "点名を入力してください"}}) {
            SCOPED_TRACE(c.name);
            const std::string label = route.label;
            if (c.name.empty() && label.starts_with("transformation prefix")) {
                continue; // prefix + old name + suffix is never empty
            }
            if (c.name.empty() && label == "traverse") {
                continue; // a row without a name computes no point to register
            }
            TrvsFixture f;
            FillBase(f);
            const std::vector<XyzRow> before = Rows(f.store.xyz);
            const std::optional<std::string> refusal = Refusal(route.run, f, c.name);
            if (c.refusal) {
                ASSERT_TRUE(refusal);
                EXPECT_NE(refusal->find(c.refusal), std::string::npos) << *refusal;
                EXPECT_EQ(Rows(f.store.xyz), before);
                continue;
            }
            ASSERT_FALSE(refusal) << *refusal;
            int rowsNamed = 0;
            for (int row = 1; row < f.store.xyz.RowCount(); ++row) {
                if (f.store.xyz.Cell(row, kColName) == c.name) {
                    ++rowsNamed;
                    EXPECT_FALSE(f.store.xyz.Cell(row, kColX).empty());
                }
            }
            EXPECT_EQ(rowsNamed, 1);
        }
    }
}

// The proposed entry row ("A2", a name without coordinates) is no point: a registration under another
// name puts its points before it, so the list ends with that one entry row and no name without
// coordinates stands between points (a GIS export would count it as a skipped point).
TEST(NewPointNameRule, EveryRegistrationKeepsTheOneEntryRowAtTheEnd) {
    for (const NamedRoute& route : Routes()) {
        const std::string label = route.label;
        if (label == "serial line") {
            continue; // received points keep every named row: the surveyor may fill it in later
        }
        SCOPED_TRACE(label);
        TrvsFixture f;
        FillBase(f);
        ASSERT_FALSE(Refusal(route.run, f, "N5"));
        const XyzList& list = f.store.xyz;
        const int last = list.RowCount() - 1;
        ASSERT_GE(last, 5);
        EXPECT_EQ(list.Cell(last, kColName), "A2");
        EXPECT_EQ(list.Cell(last, kColX), "");
        EXPECT_EQ(list.Cell(last, kColY), "");
        for (int row = 1; row < last; ++row) {
            SCOPED_TRACE(row);
            EXPECT_FALSE(list.Cell(row, kColName).empty());
            EXPECT_FALSE(list.Cell(row, kColX).empty()) << list.Cell(row, kColName);
        }
    }
}

TEST(NewPointNameRule, SerialEntryRunsStepOnlyThroughPoints) {
    TrvsFixture f;
    FillBase(f);
    f.AddPoint("A0", "90.000", "190.000");
    const XyzNameIndex& index = f.store.Index();
    EXPECT_EQ(SerialEntryNames("A0", "A1", index), std::vector<std::string>{"A1"});
    EXPECT_TRUE(SerialEntryNames("A1", "A2", index).empty()); // a row without coordinates is no point
    EXPECT_TRUE(SerialEntryNames("A1", "A" + std::string(16, '7'), index).empty());
    EXPECT_TRUE(SerialEntryNames("A1", "", index).empty());
}

TEST(NewPointNameRule, OneRegistrationCannotGiveANameTwiceNorReplaceANameOnTwoRows) {
    TrvsFixture f;
    FillBase(f);
    f.AddPoint("A1", "120.000", "220.000");
    const std::vector<XyzRow> before = Rows(f.store.xyz);
    EXPECT_THROW(RegisterCalcPoints(f.store.xyz, {{"N1", {1, 2}}, {"N1", {3, 4}}}, "x"), Error);
    try {
        RegisterTransformed(f.store, Shift(), {"A", "A1"}, {});
        ADD_FAILURE() << "a name on two rows was replaced";
    } catch (const Error& error) {
        EXPECT_NE(Cp932ToUtf8(error.what()).find("A1 は座標リストの 2 行"), std::string::npos);
    }
    // The traverse asks before it replaces, and a name on two rows is refused even when allowed.
    f.Start(kTrvsRadial, "A", "100.000", "200.000", "N", "180.0000", true);
    f.Row("K", "A1", "0.0000", "90.0000", "100.000");
    EXPECT_THROW(RegisterTraverse(f.state, f.Input(), f.store.xyz, [](const auto&) { return true; }), Error);
    EXPECT_EQ(Rows(f.store.xyz), before);
}

} // namespace
} // namespace vemo::test
