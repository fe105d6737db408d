#include "core/store/Store.h"

#include "PointRows.h"

#include "core/text/Cp932.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vemo {
namespace {

using test::Names;
using test::Point;
using test::Points;

using Names_ = std::vector<std::string>;

// A new store with points P1 .. Pn and an empty history.
struct Fixture {
    explicit Fixture(int points) {
        store.xyz.ReplaceAll(Points(points));
        store.history.Clear();
    }
    Store store;
    UndoHistory& history = store.history;
};

// The fault: each operation of one command undone separately, or a nested command making a step of its
// own, or a step named after the innermost command instead of the one the user chose.
TEST(UndoHistory, OneCommandIsOneStepNamedByItsFirstName) {
    Fixture f(3);
    {
        UndoScope outer(f.history, "");
        f.store.xyz.SetCell(1, kColName, "A");
        {
            UndoScope command(f.history, Jp("座標整理"));
            UndoScope inner(f.history, Jp("一行削除"));
            f.store.xyz.RemoveRows(2, 1);
        }
    }
    ASSERT_EQ(f.history.UndoCount(), 1u);
    EXPECT_EQ(f.history.UndoName(), Jp("座標整理"));
    f.history.Undo();
    EXPECT_EQ(Names(f.store.xyz), (Names_{"P1", "P2", "P3"}));
    EXPECT_EQ(f.history.RedoName(), Jp("座標整理"));

    // Unnamed steps are named after their first change; a change outside any command is a step too.
    const struct {
        void (*change)(Store&);
        const char* name;
    } cases[] = {
        {[](Store& s) { s.xyz.SetCell(1, kColX, "5"); }, "座標入力"},
        {[](Store& s) { s.xyz.InsertEmptyRows(1, 1); }, "行挿入"},
        {[](Store& s) {
             s.xyz.RemoveRowSet({1, 3});
         },
         "行削除"},
        {[](Store& s) {
             s.blocks.Add(Block{"B", "P1,P2,P3,P1", 4, 0, 0});
         },
         "画地登録"},
    };
    for (const auto& c : cases) {
        c.change(f.store);
        EXPECT_EQ(f.history.UndoName(), Jp(c.name));
    }
    EXPECT_FALSE(f.history.CanRedo()) << "a new change drops what could be redone";
}

// The fault: commands given in a modal window merged into the step of the command that opened it, so
// one undo takes back two registrations, or the changes come back out of order.
TEST(UndoHistory, SuspendedStepLetsAModalWindowMakeItsOwnSteps) {
    Fixture f(1);
    f.history.BeginStep("open window");
    f.store.xyz.SetCell(1, kColName, "BEFORE");
    f.history.SuspendStep();
    for (const char* name : {"R1", "R2"}) {
        UndoScope registration(f.history, "register");
        f.store.xyz.AppendRows({Point(name)});
    }
    f.history.ResumeStep();
    f.store.xyz.SetCell(1, kColZ, "9.000");
    f.history.EndStep();

    EXPECT_EQ(f.history.UndoCount(), 4u);
    const Names_ expected[] = {{"BEFORE", "R1", "R2"}, {"BEFORE", "R1"}, {"BEFORE"}, {"P1"}};
    for (const Names_& names : expected) {
        f.history.Undo();
        EXPECT_EQ(Names(f.store.xyz), names);
    }
    EXPECT_EQ(f.history.RedoName(), "open window");
}

// The fault: a command that fails half-way leaves half its changes, or a failing inner part takes back
// what the outer command had done before it.
TEST(UndoHistory, FailingCommandTakesBackOnlyItsOwnChanges) {
    Fixture f(3);
    {
        UndoScope command(f.history, "command");
        f.store.xyz.SetCell(1, kColName, "KEPT");
        try {
            UndoScope inner(f.history, "inner");
            f.store.xyz.AppendRows({Point("NEW")});
            f.store.blocks.Add(Block{"B", "P1,NEW,P2,P1", 4, 0, 0});
            throw std::runtime_error("stop");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(Names(f.store.xyz), (Names_{"KEPT", "P2", "P3"}));
        EXPECT_EQ(f.store.blocks.Count(), 0);
    }
    ASSERT_EQ(f.history.UndoCount(), 1u);
    f.history.Undo();
    EXPECT_EQ(Names(f.store.xyz), (Names_{"P1", "P2", "P3"}));

    try {
        UndoScope command(f.history, "all fails");
        f.store.xyz.Clear();
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Names(f.store.xyz), (Names_{"P1", "P2", "P3"}));
    EXPECT_EQ(f.history.UndoCount(), 0u) << "a step that was taken back is no step";
    EXPECT_TRUE(f.history.CanRedo()) << "and it leaves what could be redone";
}

// The fault: a parcel restored without the point it names (or the other way round), so the plot draws
// a ring through a missing point.
TEST(UndoHistory, PointsAndParcelsOfOneStepComeBackTogether) {
    Fixture f(2);
    {
        UndoScope registration(f.history, Jp("トラバース登録"));
        f.store.xyz.AppendRows({Point("T1")});
        f.store.blocks.Add(Block{"B1", "P1,P2,T1,P1", 4, 1, 2});
    }
    {
        UndoScope removal(f.history, "remove");
        f.store.blocks.Remove(0);
        f.store.xyz.RemoveRows(3, 1);
    }
    f.history.Undo();
    EXPECT_EQ(Names(f.store.xyz), (Names_{"P1", "P2", "T1"}));
    ASSERT_EQ(f.store.blocks.Count(), 1);
    EXPECT_EQ(f.store.blocks.At(0).NoList, "P1,P2,T1,P1");
    f.history.Undo();
    EXPECT_EQ(Names(f.store.xyz), (Names_{"P1", "P2"}));
    EXPECT_EQ(f.store.blocks.Count(), 0);
}

// The faults: an unbounded history, the newest step dropped instead of the oldest, or a step that keeps
// a copy of the whole list when a few rows changed.
TEST(UndoHistory, HistoryIsBoundedAndHoldsOnlyTheChangedRows) {
    Fixture f(5000);
    f.history.SetLimits(3, UndoHistory::kDefaultMaxBytes);
    for (int i = 1; i <= 5; ++i) {
        f.store.xyz.SetCell(i, kColName, "N" + std::to_string(i));
    }
    EXPECT_EQ(f.history.UndoCount(), 3u);
    while (f.history.CanUndo()) {
        f.history.Undo();
    }
    EXPECT_EQ(Names(f.store.xyz)[0], "N1") << "the oldest steps went";
    EXPECT_EQ(Names(f.store.xyz)[2], "P3") << "the newest ones stayed";

    f.history.SetLimits(UndoHistory::kDefaultMaxSteps, UndoHistory::kDefaultMaxBytes);
    std::vector<int> every50th;
    for (int row = 50; row <= 5000; row += 50) {
        every50th.push_back(row); // 100 scattered rows: more runs than are told one by one
    }
    f.store.xyz.RemoveRowSet(every50th);
    EXPECT_EQ(f.store.xyz.PointRowCount(), 4900);
    const size_t wholeList = 5000 * sizeof(XyzRow);
    EXPECT_LT(f.history.UndoBytes(), wholeList / 20);
    EXPECT_GT(f.history.UndoBytes(), 100 * sizeof(XyzRow)) << "the removed rows are held";

    f.history.SetLimits(10, f.history.UndoBytes() + 1);
    f.store.xyz.SetCell(1, kColName, "AFTER");
    EXPECT_EQ(f.history.UndoCount(), 1u) << "over the byte budget the older step goes";
    f.history.Undo();
    EXPECT_EQ(f.store.xyz.PointRowCount(), 4900);
}

// The fault: a step that alone exceeds the byte budget is dropped, and the surveyor's last change
// (a whole list replaced, say) cannot be taken back.
TEST(UndoHistory, TheNewestStepIsKeptHoweverLarge) {
    Fixture f(2000);
    f.history.SetLimits(10, 1);
    f.store.xyz.ReplaceAll(Points(3, "Q"));
    ASSERT_EQ(f.history.UndoCount(), 1u);
    EXPECT_GT(f.history.UndoBytes(), 1u);
    f.store.xyz.SetCell(1, kColName, "LAST");
    ASSERT_EQ(f.history.UndoCount(), 1u) << "the older step goes, the newest stays";
    f.history.Undo();
    EXPECT_EQ(Names(f.store.xyz), (Names_{"Q1", "Q2", "Q3"}));
}

// The faults: a list counted as saved after a change, as changed after undoing back to its saved
// state, one list's change marking the other, or a state that can no longer be reached (its step
// trimmed away, or the history cleared) counting as the saved one.
TEST(UndoHistory, EachListKnowsWhetherItDiffersFromItsSavedState) {
    Fixture f(3);
    auto modified = [&f] {
        return std::pair{f.history.IsModified(SavedList::Points), f.history.IsModified(SavedList::Parcels)};
    };
    f.history.MarkSaved(SavedList::Points);
    f.history.MarkSaved(SavedList::Parcels);
    EXPECT_EQ(modified(), std::pair(false, false));

    f.store.xyz.SetCell(1, kColName, "A");
    EXPECT_EQ(modified(), std::pair(true, false));
    f.store.blocks.Add(Block{"B", "P1,P2,P3,P1", 4, 0, 0});
    EXPECT_EQ(modified(), std::pair(true, true));
    f.history.Undo();
    EXPECT_EQ(modified(), std::pair(true, false));
    f.history.Undo();
    EXPECT_EQ(modified(), std::pair(false, false)) << "undone back to the saved state";
    f.history.Redo();
    EXPECT_EQ(modified(), std::pair(true, false));
    f.history.MarkSaved(SavedList::Points); // saved with the name "A"
    f.history.Undo();
    EXPECT_EQ(modified(), std::pair(true, false));
    f.history.Redo();
    EXPECT_EQ(modified(), std::pair(false, false));
    f.history.Redo();
    EXPECT_EQ(modified(), std::pair(false, true)) << "the parcel added again";

    {
        UndoScope open(f.history, "");
        f.store.xyz.SetCell(2, kColName, "B");
        EXPECT_TRUE(f.history.IsModified(SavedList::Points)) << "a change of a command still running";
    }
    f.history.MarkSaved(SavedList::Points);
    f.history.MarkSaved(SavedList::Parcels);
    f.history.SetLimits(1, UndoHistory::kDefaultMaxBytes);
    f.store.xyz.SetCell(3, kColName, "C");
    f.store.xyz.SetCell(3, kColName, "D"); // trims the step that led from the saved state
    f.history.Undo();
    EXPECT_TRUE(f.history.IsModified(SavedList::Points)) << "the saved state is out of reach";
    EXPECT_FALSE(f.history.IsModified(SavedList::Parcels));

    f.history.Clear();
    EXPECT_EQ(modified(), std::pair(true, true)) << "after Clear nothing is known to be saved";
    f.history.MarkSaved(SavedList::Points);
    f.history.MarkSaved(SavedList::Parcels);
    f.history.MarkUnsaved(SavedList::Points);
    EXPECT_EQ(modified(), std::pair(true, false));
}

} // namespace
} // namespace vemo
