// OK in the settings dialog reaches every window through the one settings-changed notification, and the
// external-program commands follow their titles.
#include "MainFixture.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/KeyRules.h"
#include "ui/main/OptionTools.h"
#include "ui/plot/PlotView.h"
#include "ui/settings/ColourButton.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/tree/DataTree.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

namespace vemo::test {
namespace {

class SettingsApplied : public MainFixture {
protected:
    SettingsDialog& OpenAll() {
        MainWindow& main = OpenWithAreas();
        InstallExternalPrograms(main);
        return *InstallSettingsDialog(main);
    }
    template <class W> W* Field(SettingsDialog& dialog, const char* name) {
        W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(SettingsApplied, OkReachesThePlotTheKeyboardTheTreeAndTheAutoSaveClock) {
    SettingsDialog& dialog = OpenAll();
    TempDir data;
    std::filesystem::create_directory(data.Path() / "site1");
    ColourButton::setNextChoice(QColor(255, 255, 255));
    Field<ColourButton>(dialog, "ImageBackColor")->click();
    Field<QSpinBox>(dialog, "BCirSize")->setValue(20);
    Field<QCheckBox>(dialog, "UpperChr")->setChecked(false);
    Field<QLineEdit>(dialog, "DatDir")->setText(QString::fromStdString(data.Str()));
    TempDir second;
    Field<QLineEdit>(dialog, "DatDir2")->setText(QString::fromStdString(second.Str()));
    Field<QSpinBox>(dialog, "AutoSaveInterval")->setValue(3);
    ASSERT_EQ(window->plotView()->Settings().backColour, 4194304);
    ASSERT_TRUE(window->keyRules().upperChr());
    ASSERT_EQ(window->autoSaveTimer().intervalMs(), AutoSaveTimer::intervalForMinutes(15));

    dialog.okButton()->click();

    EXPECT_EQ(window->plotView()->Settings().backColour, 16777215);
    EXPECT_EQ(window->plotView()->Settings().bigCircle, 20);
    EXPECT_FALSE(window->keyRules().upperChr());
    const DataTree& tree = window->treeArea()->tree();
    EXPECT_EQ(tree.dataFolder(), data.Path());
    EXPECT_EQ(window->store().names.DatDir, data.Str());
    ASSERT_EQ(tree.view()->topLevelItemCount(), 1);
    EXPECT_EQ(DataTree::nameOf(tree.view()->topLevelItem(0)), "site1");
    EXPECT_EQ(tree.folderAction(1)->text(), QString::fromStdString(second.Str()));
    EXPECT_TRUE(window->autoSaveTimer().isActive());
    EXPECT_EQ(window->autoSaveTimer().intervalMs(), AutoSaveTimer::intervalForMinutes(3));

    // Zero minutes stops the clock instead of saving without pause.
    Field<QSpinBox>(dialog, "AutoSaveInterval")->setValue(0);
    dialog.okButton()->click();
    EXPECT_FALSE(window->autoSaveTimer().isActive());
    EXPECT_NE(ReadBytes(IniPath()).find("AutoSaveInterval=0\r\n"), std::string::npos);
}

// An OK that leaves the folders as they were keeps the tree, the folder in use and the selected site: the
// surveyor who switched to the second data folder is not thrown back to the first (where a later 保存
// of a same-named site would land).  A changed folder list keeps the folder in use while it is listed.
TEST_F(SettingsApplied, OkKeepsTheFolderInUseAndTheSelectedSite) {
    TempDir first;
    TempDir second;
    std::filesystem::create_directory(first.Path() / "site");
    std::filesystem::create_directory(second.Path() / "site");
    std::filesystem::create_directory(second.Path() / "other");
    MainWindow& main = OpenWithAreas(PathToCp932("[Dir]\r\nDatDir=" + first.Str() + "\r\nDatDir2=" + second.Str() +
                                                 "\r\nTmpDir=" + home.Str() + "\r\n"));
    InstallExternalPrograms(main);
    SettingsDialog& dialog = *InstallSettingsDialog(main);
    DataTree& tree = window->treeArea()->tree();
    tree.folderAction(1)->trigger();
    ASSERT_EQ(tree.dataFolder(), second.Path());
    tree.select(tree.findSite("other"));
    auto inSecondWithOtherSelected = [&] {
        EXPECT_EQ(tree.dataFolder(), second.Path());
        EXPECT_EQ(window->store().names.DatDir, second.Str());
        EXPECT_EQ(tree.activeFolder(), 1);
        EXPECT_TRUE(tree.folderAction(1)->isChecked());
        ASSERT_NE(tree.selectedItem(), nullptr);
        EXPECT_EQ(DataTree::nameOf(tree.selectedItem()), "other");
    };

    Field<QCheckBox>(dialog, "UpperChr")->setChecked(false); // another page's setting
    dialog.okButton()->click();
    inSecondWithOtherSelected();

    TempDir third;
    Field<QLineEdit>(dialog, "DatDir3")->setText(QString::fromStdString(third.Str()));
    dialog.okButton()->click();
    inSecondWithOtherSelected();
    EXPECT_EQ(tree.folderAction(2)->text(), QString::fromStdString(third.Str()));

    // The folder in use is no longer listed: the tree shows the first.
    Field<QLineEdit>(dialog, "DatDir2")->setText(QString::fromStdString(third.Str()));
    dialog.okButton()->click();
    EXPECT_EQ(tree.dataFolder(), first.Path());
    EXPECT_EQ(window->store().names.DatDir, first.Str());
    EXPECT_TRUE(tree.folderAction(0)->isChecked());
}

// A program slot with a title starts its program by menu and by Ctrl+Shift+Fn; emptied, it is
// "未登録", disabled, and its key starts nothing.
TEST_F(SettingsApplied, ProgramSlotsFollowTheirTitles) {
    SettingsDialog& dialog = OpenAll();
    const std::string marker = home.File("started");
    const std::string script = home.File("program.sh");
    WriteBytes(script, "#!/bin/sh\necho started > '" + marker + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    CommandSet& commands = window->commands();
    EXPECT_EQ(commands.action(Cmd::Program2)->text(), QStringLiteral("未登録"));
    EXPECT_FALSE(commands.isEnabled(Cmd::Program2));

    Field<QLineEdit>(dialog, "Title2")->setText(QStringLiteral("作図"));
    Field<QLineEdit>(dialog, "Pro2Hint")->setText(QStringLiteral("図面|図面を描きます"));
    Field<QLineEdit>(dialog, "Program2")->setText(QString::fromStdString(script));
    dialog.okButton()->click();
    EXPECT_EQ(commands.action(Cmd::Program2)->text(), QStringLiteral("作図"));
    EXPECT_EQ(commands.action(Cmd::Program2)->toolTip(), QStringLiteral("図面"));
    EXPECT_EQ(commands.action(Cmd::Program2)->statusTip(), QStringLiteral("図面を描きます"));
    EXPECT_EQ(commands.action(Cmd::Program2)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F2")));
    ASSERT_TRUE(commands.isEnabled(Cmd::Program2));
    commands.trigger(Cmd::Program2);
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(marker), 10000);
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());

    // A program that is not there says so.
    Field<QLineEdit>(dialog, "Program2")->setText(QStringLiteral("/nonexistent/cad --open"));
    dialog.okButton()->click();
    commands.trigger(Cmd::Program2);
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts().front().startsWith(
        QStringLiteral("プログラム「/nonexistent/cad --open」を起動できません。")));
    Field<QLineEdit>(dialog, "Program2")->setText(QString::fromStdString(script));

    std::filesystem::remove(marker);
    Field<QLineEdit>(dialog, "Title2")->clear();
    dialog.okButton()->click();
    EXPECT_EQ(commands.action(Cmd::Program2)->text(), QStringLiteral("未登録"));
    EXPECT_TRUE(commands.action(Cmd::Program2)->statusTip().isEmpty());
    EXPECT_FALSE(commands.isEnabled(Cmd::Program2));
    commands.trigger(Cmd::Program2);
    QTest::qWait(300);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

} // namespace
} // namespace vemo::test
