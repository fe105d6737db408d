#include "core/store/Store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// Random sequences of every store operation, grouped into steps in every way a command can group them
// (one step each, nested steps, changes outside any step, a command that fails half-way): undoing all
// must give back the first lists byte for byte, redoing all the last ones.
namespace vemo {
namespace {

// Every byte of both lists, the row numbers and the parcels' label points (as exact hex) included.
std::string Snapshot(const Store& store) {
    std::string text;
    for (int row = 0; row < store.xyz.RowCount(); ++row) {
        for (const std::string& cell : store.xyz.Row(row)) {
            text += cell + '\x1f';
        }
        text += '\n';
    }
    for (const Block& block : store.blocks.All()) {
        char label[96];
        std::snprintf(label, sizeof label, "%d|%a|%a", block.NoRowCount, block.LabelX, block.LabelY);
        text += block.BlockName + '|' + block.NoList + '|' + label + '\n';
    }
    return text;
}

class RandomEditor {
public:
    explicit RandomEditor(unsigned seed) : random_(seed) {}

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    std::string Text() {
        static const char* const kTexts[] = {"", "A1", "A1", "100.000", "-0.5", "\x93\x5F", "long remark text 123"};
        return kTexts[Pick(0, 6)];
    }
    XyzRow Row() {
        XyzRow row;
        for (int col = kColNo; col < kXyzColumnCount; ++col) {
            row[col] = Text();
        }
        return row;
    }
    std::vector<XyzRow> Rows(int count) {
        std::vector<XyzRow> rows;
        for (int i = 0; i < count; ++i) {
            rows.push_back(Row());
        }
        return rows;
    }
    Block Parcel() {
        return Block{Text(), "A1," + Text() + ",A1", Pick(0, 9), Pick(-50, 50) * 0.1, Pick(-50, 50) / 3.0};
    }
    // Ascending distinct rows among 1 .. last.
    std::vector<int> RowSet(int last) {
        std::vector<int> rows;
        for (int row = 1; row <= last; ++row) {
            if (Chance(40)) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    void Edit(Store& store) {
        XyzList& xyz = store.xyz;
        BlockList& blocks = store.blocks;
        const int points = xyz.PointRowCount();
        switch (Pick(0, 13)) {
        case 0:
            xyz.SetCell(Pick(1, points), Pick(kColName, kColBiko), Text());
            break;
        case 1:
            xyz.SetRow(Pick(1, points), Row());
            break;
        case 2:
            xyz.InsertRows(Pick(1, points + 1), Rows(Pick(1, 3)));
            break;
        case 3:
            xyz.InsertEmptyRows(Pick(1, points + 1), Pick(1, 2));
            break;
        case 4: {
            const int row = Pick(1, points);
            xyz.RemoveRows(row, Pick(1, points - row + 1)); // sometimes every row
            break;
        }
        case 5:
            xyz.RemoveRowSet(RowSet(points));
            break;
        case 6: {
            std::vector<int> rows = RowSet(points + 3);
            while (!rows.empty() && rows.back() > points + static_cast<int>(rows.size())) {
                rows.pop_back(); // the rows must fit the longer list
            }
            xyz.InsertRowSet(rows, Rows(static_cast<int>(rows.size())));
            break;
        }
        case 7:
            Chance(20) ? xyz.Clear() : xyz.ReplaceAll(Rows(Pick(0, 6)));
            break;
        case 8:
            blocks.Add(Parcel());
            break;
        case 9:
            blocks.Insert(Pick(0, blocks.Count()), Parcel());
            break;
        case 10:
            blocks.Count() > 0 ? blocks.Replace(Pick(0, blocks.Count() - 1), Parcel()) : blocks.Add(Parcel());
            break;
        case 11:
            blocks.Count() > 0 ? blocks.Remove(Pick(0, blocks.Count() - 1)) : blocks.Clear();
            break;
        case 12: {
            std::vector<Block> parcels;
            for (int i = Pick(0, 3); i > 0; --i) {
                parcels.push_back(Parcel());
            }
            blocks.ReplaceAll(std::move(parcels));
            break;
        }
        default:
            xyz.RemoveRows(Pick(1, points), 1);
            break;
        }
    }

    // One command: a step with one to three changes, sometimes with a nested step inside.
    void Command(Store& store) {
        UndoScope step(store.history, "step");
        for (int i = Pick(1, 3); i > 0; --i) {
            if (Chance(25)) {
                UndoScope inner(store.history, "inner");
                Edit(store);
            } else {
                Edit(store);
            }
        }
    }

    // A command that throws after some changes: the lists must be as before it.
    void FailingCommand(Store& store) {
        const std::string before = Snapshot(store);
        try {
            UndoScope step(store.history, "failing");
            Command(store);
            throw std::runtime_error("half-way");
        } catch (const std::runtime_error&) {
        }
        ASSERT_EQ(Snapshot(store), before);
    }

private:
    std::mt19937 random_;
};

TEST(UndoHistory, UndoAllRestoresTheFirstListsAndRedoAllTheLast) {
    constexpr int kSequences = 3000;
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomEditor editor(seed);
        Store store;
        // Now and then a long list, so that scattered removals take the one-pass way.
        store.xyz.ReplaceAll(editor.Rows(seed % 10 == 0 ? 300 : editor.Pick(0, 8)));
        for (int i = editor.Pick(0, 3); i > 0; --i) {
            store.blocks.Add(editor.Parcel());
        }
        store.history.Clear();
        const std::string first = Snapshot(store);

        for (int i = editor.Pick(1, 12); i > 0; --i) {
            const int kind = editor.Pick(0, 9);
            if (kind == 0) {
                editor.Edit(store); // no command around it: a step of its own
            } else if (kind == 1) {
                editor.FailingCommand(store);
            } else {
                editor.Command(store);
            }
            ASSERT_FALSE(store.history.InStep());
        }
        const std::string last = Snapshot(store);

        // Half-way back and forth first, then all the way.
        const size_t steps = store.history.UndoCount();
        for (size_t i = 0; i < steps / 2; ++i) {
            store.history.Undo();
        }
        store.history.Redo();
        while (store.history.CanUndo()) {
            store.history.Undo();
        }
        ASSERT_EQ(Snapshot(store), first);
        ASSERT_EQ(store.history.RedoCount(), steps);
        while (store.history.CanRedo()) {
            store.history.Redo();
        }
        ASSERT_EQ(Snapshot(store), last);
    }
}

} // namespace
} // namespace vemo
