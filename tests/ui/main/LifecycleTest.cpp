// What the main window reads at construction, writes at once and writes at close.
#include "MainFixture.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "ui/calc/CalcTabs.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/GridFont.h"
#include "ui/main/AboutBox.h"
#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ToolRegistry.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>

namespace vemo::test {
namespace {

using Lifecycle = MainFixture;

bool Has(const std::string& text, const std::string& line) {
    return text.find(line) != std::string::npos;
}

TEST_F(Lifecycle, FirstStartUsesDefaultsAndMarksTheRunAtOnce) {
    MainWindow& main = Open();
    EXPECT_TRUE(main.normalAtStart());
    const std::string ini = IniText();
    EXPECT_TRUE(Has(ini, "Normal=0")) << ini;
    EXPECT_EQ(main.store().names.DatDir, home.Str());
    EXPECT_EQ(main.store().names.TmpDir, home.Str());
    EXPECT_EQ(main.store().names.ExeDir, home.Str());
    EXPECT_TRUE(main.autoSaveTimer().isActive());
    EXPECT_EQ(main.autoSaveTimer().intervalMs(), 15 * 60000);
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

TEST_F(Lifecycle, CaptionStartsAsVemoAndFollowsTheNames) {
    MainWindow& main = Open();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("[Vemo]"));
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("[Vemo]"));
    main.store().names.CaseName = Jp("現場A");
    main.store().names.XyzName = "XYZ1";
    main.updateCaption();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("現場A - XYZ1 [Vemo]"));
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("現場A - XYZ1 [Vemo]"));
}

TEST_F(Lifecycle, SettingsAreReadAtConstruction) {
    MainWindow& main = Open(Jp("[Dir]\r\nDatDir=/data/現場\r\nTmpDir=/tmp/link\r\n"
                               "[Data]\r\nAutoSave=1\r\nAutoSaveInterval=1\r\n"
                               "[Programs]\r\nTitle1=CAD\r\nPro1Hint=図面|図面を描きます\r\n"
                               "[Exit]\r\nDatTreeWidth=300\r\nNormal=0\r\n"
                               "[XyzImage]\r\nBlkDisp=0\r\nNoStr=0\r\n"));
    EXPECT_FALSE(main.normalAtStart());
    EXPECT_EQ(main.store().names.DatDir, Jp("/data/現場"));
    EXPECT_EQ(main.store().names.TmpDir, "/tmp/link");
    // One minute is 60,000 ms.
    EXPECT_EQ(main.autoSaveTimer().intervalMs(), 60000);
    EXPECT_TRUE(main.autoSaveTimer().isActive());
    EXPECT_EQ(main.areaWidth(Area::DataTree), 300);
    CommandSet& commands = main.commands();
    EXPECT_EQ(commands.action(Cmd::Program1)->text(), QStringLiteral("CAD"));
    EXPECT_EQ(commands.action(Cmd::Program1)->toolTip(), QStringLiteral("図面"));
    EXPECT_EQ(commands.action(Cmd::Program1)->statusTip(), QStringLiteral("図面を描きます"));
    EXPECT_TRUE(commands.isWanted(Cmd::Program1));
    EXPECT_EQ(commands.action(Cmd::Program2)->text(), QStringLiteral("未登録"));
    EXPECT_FALSE(commands.isWanted(Cmd::Program2));
    EXPECT_FALSE(commands.isChecked(Cmd::ImgBlkDisp));
    EXPECT_TRUE(commands.isChecked(Cmd::ImgBlkNameDisp));
    EXPECT_FALSE(commands.isChecked(Cmd::ImgPNameDisp));
}

TEST_F(Lifecycle, AutoSaveSwitchedOffOrZeroIntervalStopsTheTimer) {
    MainWindow& main = Open("[Data]\r\nAutoSave=0\r\nAutoSaveInterval=5\r\n");
    EXPECT_FALSE(main.autoSaveTimer().isActive());
    main.settings().Data.AutoSave = true;
    main.applyAutoSaveSettings();
    EXPECT_TRUE(main.autoSaveTimer().isActive());
    EXPECT_EQ(main.autoSaveTimer().intervalMs(), 5 * 60000);
    // An interval of 0 would save without pause and freeze the program.
    main.settings().Data.AutoSaveInterval = 0;
    main.applyAutoSaveSettings();
    EXPECT_FALSE(main.autoSaveTimer().isActive());
    // The longest interval the timer can hold, not an overflowed negative one.
    EXPECT_GT(AutoSaveTimer::intervalForMinutes(100000), 0);
}

// The clock fires once per tick of its timer while on, and is stopped once off.  The ticks are
// delivered here by hand, as the event loop delivers them, so nothing depends on how fast the machine
// runs.
TEST_F(Lifecycle, AutoSaveTimerFires) {
    EXPECT_EQ(AutoSaveTimer::intervalForMinutes(1), 60000);
    AutoSaveTimer timer(nullptr, 5);
    QSignalSpy fired(&timer, &AutoSaveTimer::fired);
    auto* clock = timer.findChild<QTimer*>(QStringLiteral("autoSaveClock"));
    ASSERT_NE(clock, nullptr);
    timer.configure(true, 3);
    EXPECT_EQ(timer.intervalMs(), 15);
    ASSERT_TRUE(clock->isActive());
    const auto tick = [&] {
        QTimerEvent event(clock->timerId());
        QCoreApplication::sendEvent(clock, &event);
    };
    tick();
    EXPECT_EQ(fired.count(), 1);
    tick();
    EXPECT_EQ(fired.count(), 2);
    timer.configure(false, 3);
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(clock->isActive());
    // Switched on again with no interval: still off.
    timer.configure(true, 0);
    EXPECT_FALSE(clock->isActive());
    EXPECT_EQ(fired.count(), 2);
}

// The areas observe the store until they are gone; the workspace that owns the store outlives the
// window, so closing and deleting the window with data loaded leaves no observer behind (under the
// sanitizer build a dangling one is a use-after-free at the next change of the lists).
TEST_F(Lifecycle, TheStoreOutlivesTheWindowAndForgetsItsObservers) {
    MainWindow& main = OpenWithAreas();
    for (Area area : {Area::XyzList, Area::Plot}) {
        main.setAreaShown(area, true);
    }
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    Store& store = workspace->store();
    store.xyz.ReplaceAll({{"", "A", "1", "2", "", "", ""}, {"", "B", "3", "4", "", "", ""}});
    store.blocks.Add(Block{"1", "A,B,A", 3, 0, 0});
    main.close();
    window.reset();
    store.xyz.SetCell(1, kColX, "5");
    store.xyz.AppendRows({{"", "C", "6", "7", "", "", ""}});
    store.xyz.Clear();
    store.blocks.Clear();
    EXPECT_FALSE(store.FindPointXY("A"));
    workspace.reset();
}

TEST_F(Lifecycle, BadNumbersAreReportedAndDefaultsUsed) {
    MainWindow& main = Open("[Data]\r\nAutoSaveInterval=abc\r\n[Exit]\r\nDatTreeWidth=wide\r\n");
    EXPECT_EQ(main.autoSaveTimer().intervalMs(), 15 * 60000);
    EXPECT_EQ(main.areaWidth(Area::DataTree), 225);
    const QStringList shown = MessageBox::ShownTexts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("'abc' は整数ではありません"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("'wide' は整数ではありません"))) << shown[1].toStdString();
}

TEST_F(Lifecycle, CloseWritesTheWindowStateAndNormal) {
    MainWindow& main = Open("; written by hand\r\n[Exit]\r\nNormal=0\r\nBlockNoWidth=90\r\n[Other]\r\nKeep=me\r\n");
    main.commands().setChecked(Cmd::ImgBlkNameDisp, false);
    main.setSelectedTreeNode(4);
    main.close();
    const std::string ini = IniText();
    EXPECT_TRUE(Has(ini, "Normal=1")) << ini;
    EXPECT_TRUE(Has(ini, "DatTreeWidth=225")) << ini;
    EXPECT_TRUE(Has(ini, "BlockEditWidth=225")) << ini;
    EXPECT_TRUE(Has(ini, "BlockNoWidth=90")) << ini;
    EXPECT_TRUE(Has(ini, "SelectedDat=4")) << ini;
    EXPECT_TRUE(Has(ini, "BlkDisp=1")) << ini;
    EXPECT_TRUE(Has(ini, "BlkNameDisp=0")) << ini;
    // No stored list width: 62 digit widths of the grid font and 50 pixels.
    const int listWidth = 62 * DigitWidth(GridFont()) + 50;
    EXPECT_TRUE(Has(ini, "Width=" + std::to_string(listWidth))) << ini;
    // Lines other tools wrote stay.
    EXPECT_TRUE(Has(ini, "; written by hand")) << ini;
    EXPECT_TRUE(Has(ini, "Keep=me")) << ini;
}

TEST_F(Lifecycle, ShownWidthsAreWrittenAtClose) {
    MainWindow& main = Open("[Exit]\r\nDatTreeWidth=260\r\n[XyzList]\r\nChWidth=1\r\nWidth=410\r\n");
    main.resize(1200, 700);
    main.setAreaShown(Area::XyzList, true);
    main.setAreaShown(Area::Plot, true);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.close();
    const std::string ini = IniText();
    EXPECT_TRUE(Has(ini, "DatTreeWidth=260")) << ini;
    EXPECT_TRUE(Has(ini, "Width=410")) << ini;
}

TEST_F(Lifecycle, FirstShowAsksForTheRestoreAfterAnAbnormalEnd) {
    MainWindow& main = Open("[Exit]\r\nNormal=0\r\n");
    QSignalSpy shown(&main, &MainWindow::firstShown);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.hide();
    main.show();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_TRUE(shown[0][0].toBool());
}

TEST_F(Lifecycle, StatusPanelsShowLocksAndTheLongHint) {
    MainWindow& main = Open();
    QStatusTipEvent tip(QStringLiteral("全座標を印刷します"));
    QApplication::sendEvent(&main, &tip);
    EXPECT_EQ(main.statusPanels().text(), QStringLiteral("全座標を印刷します"));
    main.statusPanels().setLocks(true, false);
    EXPECT_EQ(main.statusPanels().capsText(), QStringLiteral("Caps"));
    EXPECT_EQ(main.statusPanels().numText(), QString());
    // An idle pass shows the real state (no lock pressed in this test).
    int idleRuns = 0;
    ToolRegistration counting;
    counting.idle = [&idleRuns] { ++idleRuns; };
    main.tools().add(&main, std::move(counting));
    main.runIdle();
    EXPECT_EQ(idleRuns, 1);
    EXPECT_EQ(main.statusPanels().capsText(), QString());
}

TEST_F(Lifecycle, FailingIdleRuleIsShownOnceAndTheOthersGoOn) {
    MainWindow& main = Open();
    int good = 0;
    ToolRegistration failing;
    failing.idle = [] { throw Error(Jp("画地がありません")); };
    ToolRegistration counting;
    counting.idle = [&good] { ++good; };
    main.tools().add(&main, std::move(failing));
    main.tools().add(&main, std::move(counting));
    main.runIdle();
    main.runIdle();
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("画地がありません")});
    EXPECT_EQ(good, 2);
}

TEST_F(Lifecycle, ExceptionInACommandIsShownAndTheWindowCarriesOn) {
    MainWindow& main = Open();
    main.commands().connect(CalcTabCommand(CalcTab::kInverse),
                            [] { throw Error(Jp("'X1' は浮動小数点数ではありません")); });
    main.commands().trigger(CalcTabCommand(CalcTab::kInverse));
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("'X1' は浮動小数点数ではありません")});
    main.commands().trigger(Cmd::DispDatTree);
    EXPECT_FALSE(main.isAreaShown(Area::DataTree));
}

TEST_F(Lifecycle, AboutBoxShowsNameAndVersion) {
    MainWindow& main = Open();
    QString title;
    QStringList labels;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            labels << label->text();
        }
        box->accept();
    });
    main.commands().trigger(Cmd::HelpAbout);
    EXPECT_EQ(title, QStringLiteral("About Vemo"));
    EXPECT_TRUE(labels.contains(QStringLiteral("Vemo Point Desk")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Ver.0.75 ")));
}

TEST_F(Lifecycle, PrinterSetupOpensThePlatformDialog) {
    MainWindow& main = Open();
    QString shownClass;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        shownClass = QString::fromLatin1(dialog->metaObject()->className());
        static_cast<QDialog*>(dialog)->reject();
    });
    main.commands().trigger(Cmd::FilePrintSetup);
    EXPECT_TRUE(shownClass.contains(QStringLiteral("PageSetupDialog"))) << shownClass.toStdString();
}

TEST_F(Lifecycle, ExitClosesTheWindow) {
    MainWindow& main = Open();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.commands().trigger(Cmd::FileExit);
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(Has(IniText(), "Normal=1"));
}

} // namespace
} // namespace vemo::test
