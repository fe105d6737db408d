#include "TreeHarness.h"

#include "core/settings/Settings.h"
#include "core/store/XyzList.h"

#include <QDateTime>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

void LoadSample(TreeHarness& h, const char* node) {
    MakeSampleSite(h.DatDir());
    h.commands.rebuildTree();
    h.tree.select(FindNode(h.tree, node));
    h.commands.open();
    MessageBox::clearShownTexts();
}

TEST(AutoSaveTest, ForcedSaveWritesBothFilesAndDropsTheParcelFileWithoutParcels) {
    TreeHarness h;
    LoadSample(h, "東町/基準点/分筆");
    h.commands.forceAutoSave();
    EXPECT_EQ(ReadBytes((h.ExeDir() / "Auto.Xyz").string()), ReadBytes(DataFile("tree/genba.Xyz")));
    EXPECT_EQ(ReadBytes((h.ExeDir() / "Auto.Blk").string()), ReadBytes(DataFile("tree/genba.Blk")));

    h.store.blocks.Clear();
    h.commands.forceAutoSave();
    EXPECT_TRUE(fs::exists(h.ExeDir() / "Auto.Xyz"));
    EXPECT_FALSE(fs::exists(h.ExeDir() / "Auto.Blk"));
    EXPECT_TRUE(Shown().isEmpty());
}

TEST(AutoSaveTest, TimerTickSavesOnlyWhileAutoSaveIsOn) {
    TreeHarness h;
    LoadSample(h, "東町/基準点");
    h.settings.Data.AutoSave = false;
    h.commands.autoSaveTick();
    EXPECT_FALSE(fs::exists(h.ExeDir() / "Auto.Xyz"));
    h.settings.Data.AutoSave = true;
    h.commands.autoSaveTick();
    EXPECT_TRUE(fs::exists(h.ExeDir() / "Auto.Xyz"));
}

// A list the file cannot hold (a name over 16 bytes) fails the timer's auto-save: said once in the
// status bar, never in a box at every tick, and tried again at the next tick.
TEST(AutoSaveTest, AFailingTickIsReportedOnceInTheStatusBar) {
    TreeHarness h;
    LoadSample(h, "東町/基準点");
    h.settings.Data.AutoSave = true;
    h.store.xyz.SetCell(1, kColName, std::string(17, 'N'));
    h.commands.autoSaveTick();
    EXPECT_TRUE(h.host.status.contains(QStringLiteral("オートセーブできません")));
    h.host.status.clear();
    h.commands.autoSaveTick();
    EXPECT_TRUE(h.host.status.isEmpty());
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_FALSE(fs::exists(h.ExeDir() / "Auto.Xyz"));
    h.store.xyz.SetCell(1, kColName, "T1");
    h.commands.autoSaveTick();
    EXPECT_TRUE(fs::exists(h.ExeDir() / "Auto.Xyz"));
}

// The program was killed after an auto-save: its settings file still says Normal = false, and the next
// start brings the auto-saved coordinates and parcels back at the first show.
TEST(AutoSaveTest, FirstShowAfterAnAbnormalEndRestoresTheAutoSave) {
    auto folder = std::make_shared<TempDir>();
    {
        TreeHarness first(folder);
        LoadSample(first, "東町/基準点/分筆");
        first.store.xyz.SetCell(4, kColName, "K-40");
        first.commands.forceAutoSave();
        MarkRunStarted(SettingsFilePath(folder->Str()));
    }
    TreeHarness next(folder);
    const LoadedSettings loaded = LoadSettings(SettingsFilePath(folder->Str()), folder->Str());
    ASSERT_FALSE(loaded.values.Exit.Normal);
    const QString savedAt = QFileInfo(QString::fromStdString((next.ExeDir() / "Auto.Xyz").string()))
                                .lastModified()
                                .toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    next.commands.firstShow(!loaded.values.Exit.Normal);
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join(QLatin1Char('\n')).toStdString();
    // The surveyor is told where the data came from, and from when.
    const QString told = QStringLiteral("オートセーブから復元しました（%1）").arg(savedAt);
    EXPECT_EQ(next.host.status, told);
    EXPECT_EQ(next.host.caption, told + QStringLiteral("[Vemo]"));
    ASSERT_EQ(next.store.xyz.PointRowCount(), 4);
    EXPECT_EQ(next.store.xyz.Cell(4, kColName), "K-40");
    ASSERT_EQ(next.store.blocks.Count(), 1);
    // A restore is not data of the tree: no names, so a save has to say where it goes.
    EXPECT_TRUE(next.store.names.CaseName.empty());
    EXPECT_TRUE(next.store.names.XyzName.empty());
    EXPECT_TRUE(next.host.isAreaShown(FileArea::BlockEdit));
    EXPECT_TRUE(next.host.isAreaShown(FileArea::Plot));
}

TEST(AutoSaveTest, NormalEndOrNothingSavedRestoresNothing) {
    auto folder = std::make_shared<TempDir>();
    {
        TreeHarness first(folder);
        LoadSample(first, "東町/基準点");
        first.commands.forceAutoSave();
    }
    {
        TreeHarness next(folder);
        next.commands.firstShow(false);
        EXPECT_EQ(next.store.xyz.PointRowCount(), 1);
    }
    TreeHarness fresh;
    fresh.commands.firstShow(true); // abnormal end, but nothing was ever auto-saved
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(fresh.store.xyz.PointRowCount(), 1);
}

TEST(AutoSaveTest, RestoreCommandWithoutAutoSaveDataSaysSo) {
    TreeHarness h;
    h.commands.restore();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("リストアデータがありません!!")});
}

TEST(AutoSaveTest, RestoreCommandOfCoordinatesOnlyFitsThePlot) {
    TreeHarness h;
    CopyFixture("add.Xyz", h.ExeDir() / "Auto.Xyz");
    h.commands.restore();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 2);
    EXPECT_TRUE(h.host.isAreaShown(FileArea::Plot));
    EXPECT_TRUE(h.host.isAreaShown(FileArea::XyzList));
    EXPECT_FALSE(h.host.isAreaShown(FileArea::BlockEdit));
}

} // namespace
} // namespace vemo::test
