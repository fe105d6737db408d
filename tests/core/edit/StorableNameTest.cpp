// No editing route may create a point name the coordinate file cannot hold (16 bytes): such a cell
// would make every later save, auto-save and link write refuse.
#include "TestLists.h"
#include "core/edit/CellRules.h"
#include "core/edit/Cleanup.h"
#include "core/edit/PointName.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::Fill;
using test::Names;

const std::string kFifteen = "ABCDEFGHIJKLM99";  // 15 bytes: stepping to ...100 makes 16, still fine
const std::string kSixteen = "ABCDEFGHIJKLMN99"; // 16 bytes: ...100 would be 17

TEST(StorableNameTest, NameSteppingStopsAtTheFieldWidth) {
    XyzList list;
    Fill(list, {{kFifteen, "1", "2"}});
    EXPECT_TRUE(FinishLastRow(list, true));
    EXPECT_EQ(list.Cell(2, kColName), "ABCDEFGHIJKLM100");

    XyzList full;
    Fill(full, {{kSixteen, "1", "2"}});
    try {
        FinishLastRow(full, true);
        FAIL() << "a 17-byte name was proposed";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("ABCDEFGHIJKLMN100"), std::string::npos);
    }
    ASSERT_EQ(full.RowCount(), 3); // the entry row comes, unnamed
    EXPECT_EQ(full.Cell(2, kColName), "");
}

TEST(StorableNameTest, CleanupRefusesRenamesThatWouldNotFitAndChangesNothing) {
    const struct {
        DuplicateAction action;
        std::string head, tail, firstNew;
    } cases[] = {
        {DuplicateAction::RenameFromOld, "", "#", ""},             // "ABCDEFGHIJKLMN99#": 17 bytes
        {DuplicateAction::RenameFromOld, "X-", "", ""},            // "X-ABCDEFGHIJKLMN99"
        {DuplicateAction::ReplaceWithNew, "", "", kSixteen + "Z"}, // a new name of 17 bytes
    };
    for (const auto& c : cases) {
        XyzList list;
        Fill(list, {{kSixteen, "1", "2"}, {kSixteen, "1", "2"}});
        DuplicateOptions options;
        options.key.name = true;
        options.action = c.action;
        options.head = c.head;
        options.tail = c.tail;
        options.firstNewName = c.firstNew;
        EXPECT_THROW(PlanDuplicateCleanup(list, options), Error) << c.head << c.tail << c.firstNew;
        EXPECT_EQ(Names(list), (std::vector<std::string>{kSixteen, kSixteen}));
    }
}

TEST(StorableNameTest, RenumberingRefusesBeforeAnyChange) {
    XyzList list;
    Fill(list, {{"a"}, {"b"}, {"c"}});
    EXPECT_THROW(RenumberPointNames(list, 1, "ABCDEFGHIJKLMN98", true), Error); // 99, then 100
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "c"}));
    RenumberPointNames(list, 1, "ABCDEFGHIJKLMN97", true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ABCDEFGHIJKLMN97", "ABCDEFGHIJKLMN98", "ABCDEFGHIJKLMN99"}));
}

} // namespace
} // namespace vemo
