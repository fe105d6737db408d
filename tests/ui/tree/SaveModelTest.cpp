// The save model: what is unsaved, the questions before it is lost, 上書き保存 and the auto-save that
// follows every change.
#include "TreeHarness.h"

#include "core/files/AutoSave.h"
#include "core/store/XyzList.h"
#include "ui/tree/AutoSaver.h"

#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <functional>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

// The sample site opened at 東町/基準点/分筆, then a point typed and a parcel changed: both lists
// hold unsaved work.
struct Edited {
    Edited() {
        MakeSampleSite(h.DatDir());
        h.commands.folders().rebuildTree();
        h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
        h.commands.open();
        h.store.xyz.SetCell(4, kColName, "K-40");
        h.store.blocks.Add(Block{"B", "T1,T2,T3,T1", 4, 0, 0});
        MessageBox::ClearShownTexts();
        MessageBox::SetNextAnswers({});
    }
    ~Edited() { MessageBox::SetNextAnswers({}); }
    std::vector<XyzRow> Rows() const {
        std::vector<XyzRow> rows;
        for (int r = 0; r < h.store.xyz.RowCount(); ++r) {
            rows.push_back(h.store.xyz.Row(r));
        }
        return rows;
    }
    std::vector<std::string> Parcels() const {
        std::vector<std::string> parcels;
        for (int i = 0; i < h.store.blocks.Count(); ++i) {
            parcels.push_back(h.store.blocks.At(i).BlockName + ":" + h.store.blocks.At(i).NoList);
        }
        return parcels;
    }
    TreeHarness h;
};

const QString kUnsavedBoth = QStringLiteral("座標リストと画地データに保存されていない変更があります．\n保存しますか？");

// The faults: quitting, new data and every open gave unsaved work up without a word, or asked about
// data just saved; saving did not clear the mark, and undoing back to the saved state did not either.
TEST(SaveModel, TheUnsavedMarkFollowsTypingSavingUndoAndRedo) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    h.tree.select(FindNode(h.tree, "東町/基準点"));
    h.commands.open();
    MessageBox::ClearShownTexts(); // the offer of its parcels, declined
    EXPECT_FALSE(h.commands.pointsModified()) << "what was opened is what the file holds";
    EXPECT_TRUE(h.commands.confirmClose());
    EXPECT_TRUE(Shown().isEmpty()) << "nothing unsaved: no question";

    h.store.xyz.AppendRows({XyzRow{"", "K-5", "1015", "", "", "", ""}}); // typed, Y not yet
    EXPECT_TRUE(h.commands.pointsModified());
    EXPECT_FALSE(h.commands.parcelsModified());

    h.tree.select(FindNode(h.tree, "西町")); // the tree shows another site: saving still goes home
    ASSERT_TRUE(h.commands.saveCurrent());
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(h.commands.pointsModified());
    // K-5 has no Y yet: the file takes the four complete rows.
    EXPECT_EQ(h.host.status, QStringLiteral("基準点.Xyz に 4 点を保存しました"));
    const std::string saved = ReadBytes((h.DatDir() / "東町" / "基準点.Xyz").string());
    EXPECT_EQ(saved, ReadBytes(DataFile("tree/genba.Xyz")));

    h.store.history.Undo();
    EXPECT_TRUE(h.commands.pointsModified());
    h.store.history.Redo();
    EXPECT_FALSE(h.commands.pointsModified()) << "redone back to the saved state";
    h.store.history.Undo();
    h.store.xyz.SetCell(1, kColZ, "11.000");
    EXPECT_TRUE(h.commands.pointsModified());

    // A new list holds nothing to lose until something is typed into it.
    MessageBox::SetNextAnswer(QMessageBox::Discard);
    ASSERT_TRUE(h.commands.newXyz());
    EXPECT_FALSE(h.commands.pointsModified());
    EXPECT_TRUE(h.commands.confirmClose());
}

// Closing with unsaved work asks; each answer does what it says.
TEST(SaveModel, ClosingWithUnsavedWorkAsksAndEachAnswerDoesWhatItSays) {
    Edited e;
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(e.h.commands.confirmClose());
    EXPECT_EQ(Shown(), QStringList{kUnsavedBoth});

    MessageBox::SetNextAnswer(QMessageBox::Discard);
    EXPECT_TRUE(e.h.commands.confirmClose());
    EXPECT_TRUE(e.h.commands.pointsModified()) << "given up, not saved";

    const fs::path xyz = e.h.DatDir() / "東町" / "基準点.Xyz";
    const fs::path blk = e.h.DatDir() / "東町" / "基準点" / "分筆.Blk";
    MessageBox::SetNextAnswer(QMessageBox::Save);
    EXPECT_TRUE(e.h.commands.confirmClose());
    EXPECT_NE(ReadBytes(xyz.string()).find("K-40"), std::string::npos);
    EXPECT_NE(ReadBytes(blk.string()).find("B,4,T1,T2,T3,T1"), std::string::npos);
    EXPECT_FALSE(e.h.commands.pointsModified());
    EXPECT_FALSE(e.h.commands.parcelsModified());
    EXPECT_EQ(e.h.host.status, QStringLiteral("基準点.Xyz に 4 点，分筆.Blk に 2 画地を保存しました"));
}

// The fault: opening a SIMA file asked about the parcels, cleared them, and then asked about the
// points; cancelling there kept the points but the parcels were gone.  Every opening command is run
// with Cancel at its first, second, ... question (the questions before it answered as proposed) until
// it asks no more: each Cancel leaves points, parcels and names as they were.
TEST(SaveModel, CancelAtEveryQuestionOfEveryOpeningCommandLeavesTheDataUntouched) {
    const std::string longName = "BOUNDARY-POINT-0001"; // 19 bytes: the SIMA open asks about it first
    const std::string sima =
        "A01,1," + longName + ",1,2,0\r\nA01,2,P2,3,4,0\r\nD00,1,L,1\r\nB01,1," + longName + "\r\nB01,2,P2\r\nD99\r\n";
    const std::vector<std::pair<const char*, std::function<void(Edited&)>>> commands = {
        {"開く",
         [](Edited& e) {
             e.h.tree.select(FindNode(e.h.tree, "東町/基準点"));
             e.h.commands.open();
         }},
        {"新規座標", [](Edited& e) { e.h.commands.newXyz(); }},
        {"新規画地", [](Edited& e) { e.h.commands.newBlk(); }},
        {"SIMA",
         [&sima](Edited& e) {
             const fs::path file = e.h.dir->Path() / "long.sim";
             WriteBytes(file.string(), sima);
             FileDialog::setNextFileName(QString::fromStdString(file.string()));
             e.h.commands.exchange().open(FileKind::Sima);
         }},
        {"drop SIMA",
         [&sima](Edited& e) {
             const fs::path file = e.h.dir->Path() / "drop.sim";
             WriteBytes(file.string(), sima);
             e.h.commands.dropFiles({QString::fromStdString(file.string())});
         }},
        {"復元",
         [](Edited& e) {
             CopyFixture("add.Xyz", e.h.ExeDir() / "Auto.Xyz");
             e.h.commands.restore();
         }},
    };
    for (const auto& [name, command] : commands) {
        for (int cancelAt = 0;; ++cancelAt) {
            SCOPED_TRACE(std::string(name) + " cancelled at question " + std::to_string(cancelAt));
            Edited e;
            const auto rows = e.Rows();
            const auto parcels = e.Parcels();
            const CurrentNames names = e.h.store.names;
            QList<QMessageBox::StandardButton> answers(cancelAt, QMessageBox::NoButton);
            for (auto& answer : answers) {
                answer = QMessageBox::Ok; // the long names shortened
            }
            answers.append(QMessageBox::Cancel);
            MessageBox::SetNextAnswers(answers);
            command(e);
            if (Shown().size() <= cancelAt) {
                EXPECT_GT(cancelAt, 0) << "every command asks before it gives unsaved work up";
                break;
            }
            EXPECT_EQ(e.Rows(), rows);
            EXPECT_EQ(e.Parcels(), parcels);
            EXPECT_EQ(e.h.store.names.XyzName, names.XyzName);
            EXPECT_EQ(e.h.store.names.BlkName, names.BlkName);
        }
    }
}

// The faults: after the tree had been rebuilt (the settings dialog's OK) 保存 found no node and did
// nothing, and the next save asked for a new parcel profile instead of writing the open parcel file.
TEST(SaveModel, SavingAfterTheTreeWasRebuiltWritesTheOpenDataSet) {
    Edited e;
    e.h.host.setAreaShown(FileArea::BlockEdit, true);
    e.h.commands.folders().rebuildTree();
    EXPECT_EQ(e.h.tree.selectedItem(), FindNode(e.h.tree, "東町/基準点/分筆")) << "the selection survives";

    e.h.tree.select(FindNode(e.h.tree, "東町/基準点"));
    MessageBox::SetNextAnswer(QMessageBox::Ok); // 座標を上書保存します
    e.h.commands.save();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("座標を上書保存します")}) << "no header editor for new parcels";
    const fs::path blk = e.h.DatDir() / "東町" / "基準点" / "分筆.Blk";
    EXPECT_NE(ReadBytes(blk.string()).find("B,4,T1,T2,T3,T1"), std::string::npos);
    EXPECT_FALSE(e.h.commands.parcelsModified());
    EXPECT_EQ(e.h.host.status,
              QStringLiteral("【データ保存完了】 基準点.Xyz に 4 点，分筆.Blk に 2 画地を保存しました"));
}

// The auto-save follows the changes: due a few seconds after the last one, at the latest a few seconds
// after the first of a run of changes, and written with the data set it belongs to.
TEST(SaveModel, AChangeMakesAnAutoSaveDueThatRemembersItsDataSet) {
    EXPECT_EQ(AutoSaver::delayMs(0), AutoSaver::kQuietMs);
    EXPECT_EQ(AutoSaver::delayMs(AutoSaver::kLongestWaitMs - 500), 500);
    EXPECT_EQ(AutoSaver::delayMs(AutoSaver::kLongestWaitMs + 500), 0);

    Edited e;
    e.h.settings.Data.AutoSave = true;
    AutoSaver& saver = e.h.commands.autoSaver();
    saver.writeNow();
    saver.waitForWrite();
    EXPECT_FALSE(saver.isDue());
    e.h.store.xyz.SetCell(1, kColZ, "12.000");
    EXPECT_TRUE(saver.isDue());
    ASSERT_TRUE(saver.writeNow());
    saver.waitForWrite();
    EXPECT_NE(ReadBytes((e.h.ExeDir() / "Auto.Xyz").string()).find("12.000"), std::string::npos);
    const std::optional<AutoSaveOrigin> origin = ReadAutoSaveOrigin(e.h.ExeDir());
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(origin->caseName, Cp("東町"));
    EXPECT_EQ(origin->xyzName, Cp("基準点"));
    EXPECT_EQ(origin->blkName, Cp("分筆"));
    EXPECT_TRUE(origin->pointsModified);
}

} // namespace
} // namespace vemo::test
