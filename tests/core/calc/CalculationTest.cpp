// The registry of calculations: what the batch tool and the window build from it must be sound (ids
// unique and fit for a command line, inputs unique per calculation), and the arguments are checked
// against the inputs before any calculation runs.
#include "core/calc/Calculation.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vemo
