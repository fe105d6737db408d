#include "core/edit/Cleanup.h"
#include "TestLists.h"
#include "core/edit/PointName.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>
#include <random>

namespace vemo {
namespace {

using test::Fill;
using test::Names;

// The cleanup exactly as the rule reads: every row against every later row, keys as they stand at
// that moment, deletions and renames done at once.  Quadratic; only for small lists.
std::int64_t ReferenceCleanup(std::vector<XyzRow>& rows, const DuplicateOptions& options) {
    if (!options.key.Any()) {
        return 0;
    }
    auto same = [&](const XyzRow& a, const XyzRow& b) {
        return (!options.key.name || a[kColName] == b[kColName]) &&
               (!options.key.xy || (a[kColX] == b[kColX] && a[kColY] == b[kColY])) &&
               (!options.key.z || a[kColZ] == b[kColZ]);
    };
    std::int64_t count = 0;
    std::string newName = options.firstNewName;
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        for (size_t j = i + 1; j < rows.size();) {
            if (!same(rows[i], rows[j])) {
                ++j;
                continue;
            }
            ++count;
            switch (options.action) {
            case DuplicateAction::Delete:
                rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(j));
                continue;
            case DuplicateAction::RenameFromOld:
                rows[j][kColName] = options.head + rows[j][kColName] + options.tail;
                break;
            case DuplicateAction::ReplaceWithNew:
                rows[j][kColName] = newName;
                newName = NextPointName(newName, options.increment);
                break;
            }
            ++j;
        }
    }
    return count;
}

std::vector<XyzRow> PointRows(const XyzList& list) {
    std::vector<XyzRow> rows;
    for (int row = 1; row < list.RowCount(); ++row) {
        rows.push_back(list.Row(row));
    }
    return rows;
}

std::int64_t Clean(XyzList& list, const DuplicateOptions& options) {
    CleanupPlan plan = PlanDuplicateCleanup(list, options);
    ApplyCleanupPlan(list, plan);
    return plan.count;
}

DuplicateOptions RenameFromOld(std::string head, std::string tail) {
    DuplicateOptions options;
    options.action = DuplicateAction::RenameFromOld;
    options.head = std::move(head);
    options.tail = std::move(tail);
    return options;
}

DuplicateOptions ReplaceWithNew(std::string first) {
    DuplicateOptions options;
    options.action = DuplicateAction::ReplaceWithNew;
    options.firstNewName = std::move(first);
    return options;
}

TEST(DuplicateCleanupTest, DeletesAllButTheFirstOfEqualCoordinates) {
    XyzList list;
    Fill(list, {{"A", "1.000", "2.000"}, {"B", "1.000", "2.000"}, {"C", "5.000", "2.000"}, {"D", "1.000", "2.000"}});
    DuplicateOptions options;
    EXPECT_EQ(Clean(list, options), 2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(list.Cell(2, kColNo), "2");
    EXPECT_EQ(CleanupMessage(options.action, 2), "2" + Jp(" 点削除しました"));
    EXPECT_EQ(CleanupMessage(DuplicateAction::ReplaceWithNew, 3), "3" + Jp(" 点変更しました"));
}

TEST(DuplicateCleanupTest, CellsAreComparedAsTextAndOneByOne) {
    XyzList list;
    Fill(list,
         {{"T1", "100.000", "2.000"}, {"T2", "100.0", "2.000"}, {"T", "12.000", "2.000"}, {"T1", "2.000", "2.000"}});
    DuplicateOptions options;
    options.key = {.name = true, .xy = true};
    EXPECT_EQ(Clean(list, options), 0); // "T"+"12.000" runs together like "T1"+"2.000", yet differs
    options.key = {.name = true, .xy = false};
    EXPECT_EQ(Clean(list, options), 1);
    EXPECT_EQ(list.RowCount(), 4);
}

TEST(DuplicateCleanupTest, TheEmptyEntryRowIsADuplicateOfAnotherRowWithoutCoordinates) {
    XyzList list;
    Fill(list, {{"A", "", ""}, {"B", "1", "2"}, {"", "", ""}});
    EXPECT_EQ(Clean(list, DuplicateOptions{}), 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B"}));
}

TEST(DuplicateCleanupTest, RenamesKeepTheFirstAndNameTheOthers) {
    XyzList list;
    Fill(list, {{"T5", "1", "2"}, {"T5", "1", "2"}, {"T6", "3", "4"}, {"T7", "3", "4"}});
    DuplicateOptions fromOld = RenameFromOld("", "#");
    EXPECT_EQ(Clean(list, fromOld), 2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"T5", "T5#", "T6", "T7#"}));

    XyzList second;
    Fill(second, {{"A", "1", "2"}, {"B", "1", "2"}, {"C", "5", "6"}, {"D", "5", "6"}});
    DuplicateOptions fresh = ReplaceWithNew("BP-1");
    EXPECT_EQ(Clean(second, fresh), 2);
    EXPECT_EQ(Names(second), (std::vector<std::string>{"A", "BP-1", "C", "BP-2"}));
}

TEST(DuplicateCleanupTest, AThirdEqualRowIsRenamedOncePerRowAboveIt) {
    XyzList list;
    Fill(list, {{"T5", "1", "2"}, {"T5", "1", "2"}, {"T5", "1", "2"}});
    DuplicateOptions fromOld = RenameFromOld("", "#");
    EXPECT_EQ(Clean(list, fromOld), 3);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"T5", "T5#", "T5##"}));
}

TEST(DuplicateCleanupTest, NoKeyChangesNothing) {
    XyzList list;
    Fill(list, {{"A", "1", "2"}, {"A", "1", "2"}});
    DuplicateOptions options;
    options.key = {.name = false, .xy = false, .z = false};
    EXPECT_EQ(Clean(list, options), 0);
    EXPECT_EQ(list.RowCount(), 3);
}

// Random small lists with few distinct cells, so that duplicates, renames that collide with later
// rows and the Dec cycle of names all occur often.
TEST(DuplicateCleanupTest, MatchesTheRowByRowRuleOnRandomLists) {
    std::mt19937 random(20240611);
    const std::vector<std::string> names{"A", "A#", "#A", "B", "", "1", "2", "T1", "T0", "BP-1", "BP-2", "BP-3"};
    const std::vector<std::string> numbers{"", "1.000", "2.000", "1.0"};
    const std::vector<std::string> affixes{"", "#", "A"};
    const std::vector<std::string> firstNames{"BP-1", "A", "", "1", "T2", "T0", "B"};
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    for (int trial = 0; trial < 20000; ++trial) {
        std::vector<XyzRow> rows(1 + random() % 12);
        for (XyzRow& row : rows) {
            row[kColName] = pick(names);
            row[kColX] = pick(numbers);
            row[kColY] = pick(numbers);
            row[kColZ] = pick(numbers);
        }
        DuplicateOptions options;
        options.key = {.name = random() % 2 == 0, .xy = random() % 2 == 0, .z = random() % 3 == 0};
        options.action = static_cast<DuplicateAction>(random() % 3);
        options.head = pick(affixes);
        options.tail = pick(affixes);
        options.firstNewName = pick(firstNames);
        options.increment = random() % 2 == 0;

        XyzList list;
        list.ReplaceAll(rows);
        std::vector<XyzRow> expected = PointRows(list);
        std::int64_t expectedCount = ReferenceCleanup(expected, options);
        for (size_t i = 0; i < expected.size(); ++i) {
            expected[i][kColNo] = std::to_string(i + 1);
        }
        std::int64_t count = Clean(list, options);
        ASSERT_EQ(count, expectedCount) << "trial " << trial;
        ASSERT_EQ(PointRows(list), expected) << "trial " << trial;
    }
}

TEST(DuplicateCleanupTest, ALargeGroupOfEqualPointsIsQuick) {
    std::vector<XyzRow> rows(20000);
    for (XyzRow& row : rows) {
        row = {"", "P", "1.000", "2.000", "", "", ""};
    }
    XyzList list;
    list.ReplaceAll(rows);
    DuplicateOptions options = ReplaceWithNew("N1");
    CleanupPlan plan = PlanDuplicateCleanup(list, options);
    EXPECT_EQ(plan.count, 19999LL * 20000 / 2);
    ASSERT_EQ(plan.renamedRows.size(), 19999u);
    // The second row keeps the first name handed out; the third the name after the second row's pairs.
    EXPECT_EQ(plan.renamedRows[0].second, "N1");
    EXPECT_EQ(plan.renamedRows[1].second, "N" + std::to_string(1 + 19999));
}

TEST(RenumberTest, NamesRowsFromTheGivenRowIncludingTheEntryRow) {
    XyzList list;
    Fill(list, {{"a"}, {"b"}, {"c"}, {"d"}, {""}});
    RenumberPointNames(list, 1, "001", true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"001", "002", "003", "004", "005"}));
    RenumberPointNames(list, 3, "9", true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"001", "002", "9", "10", "11"}));
}

} // namespace
} // namespace vemo
