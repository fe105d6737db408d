// The registry of calculations: what the batch tool and the window build from it must be sound (ids
// unique and fit for a command line, inputs unique per calculation), and the arguments are checked
// against the inputs before any calculation runs.
#include "core/calc/Calculation.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace vemo {
namespace {

TEST(CalculationRegistry, IdsAndInputsAreUniqueAndFitForTheCommandLine) {
    std::set<std::string_view> ids;
    for (const CalcDefinition* definition : Calculations()) {
        SCOPED_TRACE(std::string(definition->id));
        EXPECT_TRUE(ids.insert(definition->id).second);
        EXPECT_EQ(definition->id.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string_view::npos);
        EXPECT_FALSE(definition->caption.empty());
        EXPECT_NE(definition->run, nullptr);
        EXPECT_EQ(FindCalculation(definition->id), definition);
        std::set<std::string_view> inputs;
        for (const CalcInput& input : definition->inputs) {
            EXPECT_TRUE(inputs.insert(input.id).second) << input.id;
            EXPECT_NE(input.id, "utf8"); // the batch tool's own options
            EXPECT_NE(input.id, "sima");
            EXPECT_NE(input.id, "pdf");
            EXPECT_EQ(FindInput(*definition, input.id), &input);
        }
    }
    EXPECT_EQ(FindCalculation("no-such-calculation"), nullptr);
}

TEST(CalculationArguments, RequiredInputsRangesAndDefaults) {
    const CalcDefinition& cut = *FindCalculation("corner-cut");
    CalcArguments missing;
    missing.Set("corner", "A,B,C");
    EXPECT_THROW(CheckArguments(cut, missing), CalcInputError); // --length is required

    CalcArguments zero = missing;
    zero.Set("length", "0");
    try {
        CheckArguments(cut, zero);
        FAIL() << "a corner cut of length 0 has no points";
    } catch (const CalcInputError& e) {
        EXPECT_EQ(std::string(e.what()), "--length must be at least 0.001, got '0'");
    }
    CalcArguments word = missing;
    word.Set("length", "5m");
    EXPECT_THROW(CheckArguments(cut, word), CalcInputError);

    CalcArguments offset;
    offset.Set("line1", "A,B");
    offset.Set("base", "A");
    offset.Set("across", "5");
    CheckArguments(*FindCalculation("offset"), offset);
    EXPECT_EQ(offset.Text("along"), "0");
    EXPECT_EQ(offset.Text("across"), "5");
}

TEST(CalculationArguments, NamesTakeRunsOfNumberedPoints) {
    Store store;
    store.xyz.ReplaceAll(
        {XyzRow{"", "T1", "1.000", "1.000", "", "", ""}, XyzRow{"", "T2", "2.000", "1.000", "", "", ""},
         XyzRow{"", "T3", "3.000", "1.000", "", "", ""}, XyzRow{"", "T5", "5.000", "1.000", "", "", ""},
         XyzRow{"", "K9", "9.000", "1.000", "", "", ""}});
    CalcArguments arguments;
    arguments.Set("targets", "K9,T1..T3,K9");
    EXPECT_EQ(arguments.Names("targets", store), (std::vector<std::string>{"K9", "T1", "T2", "T3", "K9"}));
    // A run ends before the first name the list does not hold (T4).
    arguments.Set("targets", "T1..T5");
    EXPECT_EQ(arguments.Names("targets", store), (std::vector<std::string>{"T1", "T2", "T3"}));
}

// The window runs a calculation while the surveyor types.  A circle through three points is there
// before the line that crosses it, so its centre can be registered at once; the batch tool still asks
// for the line.  The circle: centre (-45210, 32150), radius 50 through (+50, 0), (0, +50), (-30, -40).
TEST(CalculationWhileTyping, ThreePointCircleGivesItsCentreBeforeTheLine) {
    Store store;
    store.xyz.ReplaceAll({XyzRow{"", "P", "-45160.000", "32150.000", "", "", ""},
                          XyzRow{"", "Q", "-45210.000", "32200.000", "", "", ""},
                          XyzRow{"", "R", "-45240.000", "32110.000", "", "", ""}});
    const CalcDefinition& lineCircle = *FindCalculation("line-circle");
    CalcArguments arguments;
    arguments.Set("circle1", "P,Q,R");
    CalcArguments batch = arguments;
    EXPECT_THROW(CheckArguments(lineCircle, batch), CalcInputError); // --line1 is needed

    CheckArguments(lineCircle, arguments, true);
    const CalcOutcome circleOnly = lineCircle.run(arguments, store);
    EXPECT_FALSE(circleOnly.complete);
    EXPECT_TRUE(circleOnly.newPoints.empty());
    ASSERT_TRUE(circleOnly.threePointCentre.has_value());
    EXPECT_NEAR(circleOnly.threePointCentre->x, -45210.0, 1e-6);
    EXPECT_NEAR(circleOnly.threePointCentre->y, 32150.0, 1e-6);
    ASSERT_EQ(circleOnly.overlay.circles.size(), 1u);
    EXPECT_NEAR(circleOnly.overlay.circles[0].radius, 50.0, 1e-6);

    // The line through P and R meets the circle at those two points; the centre stays offered.
    arguments.Set("line1", "P,R");
    CheckArguments(lineCircle, arguments, true);
    const CalcOutcome crossed = lineCircle.run(arguments, store);
    EXPECT_TRUE(crossed.complete);
    ASSERT_EQ(crossed.newPoints.size(), 2u);
    std::set<std::pair<long, long>> at;
    for (const CalcPoint& point : crossed.newPoints) {
        at.insert({std::lround(point.point.x * 1000), std::lround(point.point.y * 1000)});
    }
    EXPECT_EQ(at, (std::set<std::pair<long, long>>{{-45160000, 32150000}, {-45240000, 32110000}}));
    ASSERT_TRUE(crossed.threePointCentre.has_value());
    EXPECT_NEAR(crossed.threePointCentre->y, 32150.0, 1e-6);

    // A centre with its radius is no circle through three points: nothing to register besides P1, P2.
    CalcArguments byCentre;
    byCentre.Set("line1", "P,R");
    byCentre.Set("circle1", "Q");
    byCentre.Set("radius1", "100"); // Q lies 67.08 m off the line
    CheckArguments(lineCircle, byCentre, true);
    EXPECT_FALSE(lineCircle.run(byCentre, store).threePointCentre.has_value());
}

// The grid shows what it can while a name is not in the list (the legs touching it stay empty); the
// batch tool refuses the name.  A to B: 30 m north, 40 m east, so 50.000 m.
TEST(CalculationWhileTyping, GridLeavesTheLegsOfAnUnknownNameEmpty) {
    Store store;
    store.xyz.ReplaceAll({XyzRow{"", "A", "-12345.678", "23456.789", "", "", ""},
                          XyzRow{"", "B", "-12315.678", "23496.789", "", "", ""}});
    const CalcDefinition& inverse = *FindCalculation("inverse");
    auto distances = [&](const std::string& names, bool whileTyping) {
        CalcArguments arguments;
        arguments.Set("", names);
        CheckArguments(inverse, arguments, whileTyping);
        std::vector<std::string> cells;
        for (const GridRowCells& row : inverse.run(arguments, store).gridRows) {
            cells.push_back(std::string(row.distance.find_first_not_of(' ') == std::string::npos
                                            ? std::string()
                                            : row.distance.substr(row.distance.find_first_not_of(' '))));
        }
        return cells;
    };
    const std::vector<std::string> known = distances("A,B", true);
    EXPECT_NE(std::find(known.begin(), known.end(), "50.000"), known.end());
    EXPECT_EQ(distances("A,B", false), known);
    for (const std::string& cell : distances("A,ZZ,B", true)) {
        EXPECT_EQ(cell, "");
    }
    EXPECT_THROW(distances("A,ZZ,B", false), Error);
}

} // namespace
} // namespace vemo
