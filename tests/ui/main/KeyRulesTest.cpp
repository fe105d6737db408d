// Enter and Escape move between controls; typed letters become upper case.
#include "ui/main/KeyRules.h"
#include "MainFixture.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace vemo::test {
namespace {

class Keys : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        MainWindow& main = Open();
        auto* form = new QWidget;
        auto* layout = new QVBoxLayout(form);
        for (QLineEdit*& edit : edits) {
            edit = new QLineEdit;
            layout->addWidget(edit);
        }
        main.area(Area::DataTree)->setContent(form);
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        edits[0]->setFocus();
        ASSERT_TRUE(edits[0]->hasFocus());
    }
    QLineEdit* edits[3] = {};
};

TEST_F(Keys, EnterMovesToTheNextControlAndEscapeBack) {
    QSignalSpy returned(edits[0], &QLineEdit::returnPressed);
    QTest::keyClick(edits[0], Qt::Key_Return);
    EXPECT_TRUE(edits[1]->hasFocus());
    EXPECT_EQ(returned.count(), 0);
    QTest::keyClick(edits[1], Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(edits[2]->hasFocus());
    QTest::keyClick(edits[2], Qt::Key_Escape);
    EXPECT_TRUE(edits[1]->hasFocus());
    QTest::keyClick(edits[1], Qt::Key_Escape);
    EXPECT_TRUE(edits[0]->hasFocus());
}

TEST_F(Keys, DownArrowIndicatorLetsEnterThrough) {
    bool down = true;
    window->keyRules().setEnterGoesDown([&down] { return down; });
    QSignalSpy returned(edits[0], &QLineEdit::returnPressed);
    QTest::keyClick(edits[0], Qt::Key_Return);
    EXPECT_TRUE(edits[0]->hasFocus());
    EXPECT_EQ(returned.count(), 1);
    down = false;
    QTest::keyClick(edits[0], Qt::Key_Return);
    EXPECT_TRUE(edits[1]->hasFocus());
    EXPECT_EQ(returned.count(), 1);
}

TEST_F(Keys, GridsWithTheirOwnEnterKeepTheFocus) {
    int confirmed = 0;
    window->keyRules().setEnterHandler(edits[0], [&confirmed] { ++confirmed; });
    int restored = 0;
    window->keyRules().setEscapeHandler(edits[1], [&restored] { ++restored; });
    QTest::keyClick(edits[0], Qt::Key_Return);
    EXPECT_EQ(confirmed, 1);
    EXPECT_TRUE(edits[0]->hasFocus());
    // Ctrl+Enter is a command of its own and is not taken.
    QTest::keyClick(edits[0], Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(confirmed, 1);
    edits[1]->setFocus();
    QTest::keyClick(edits[1], Qt::Key_Escape);
    EXPECT_EQ(restored, 1);
    EXPECT_TRUE(edits[0]->hasFocus());
}

TEST_F(Keys, UpperChrTurnsTypedLettersToCapitals) {
    QTest::keyClicks(edits[0], QStringLiteral("k-12a"));
    EXPECT_EQ(edits[0]->text(), QStringLiteral("K-12A"));
    // Ctrl+A stays select-all, not a capital A.
    QTest::keyClick(edits[0], Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edits[0]->selectedText(), QStringLiteral("K-12A"));

    window->keyRules().setUpperChr(false);
    edits[1]->setFocus();
    QTest::keyClicks(edits[1], QStringLiteral("t1"));
    EXPECT_EQ(edits[1]->text(), QStringLiteral("t1"));
}

TEST_F(Keys, UpperChrComesFromTheSettings) {
    window.reset();
    MainWindow& main = Open("[Key]\r\nUpperChr=0\r\n");
    EXPECT_FALSE(main.keyRules().upperChr());
}

TEST_F(Keys, OtherWindowsAreLeftAlone) {
    QDialog dialog(window.get());
    auto* field = new QLineEdit(&dialog);
    auto* next = new QLineEdit(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    layout->addWidget(next);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("ab"));
    EXPECT_EQ(field->text(), QStringLiteral("ab"));
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(Keys, CtrlEPrefersTheAreaWithTheFocus) {
    std::string ran;
    CommandSet& commands = window->commands();
    commands.connect(Cmd::TreeProfile, [&ran] { ran += "profile;"; });
    commands.connect(Cmd::ListEdit, [&ran] { ran += "editor;"; });
    // Plain controls: a line edit on X11 takes Ctrl+E itself (end of line).
    auto* grid = new QWidget;
    grid->setFocusPolicy(Qt::StrongFocus);
    window->area(Area::XyzList)->setContent(grid);
    window->setAreaShown(Area::XyzList, true);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_E, Qt::ControlModifier);
    auto* treeControl = new QWidget;
    treeControl->setFocusPolicy(Qt::StrongFocus);
    edits[0]->parentWidget()->layout()->addWidget(treeControl);
    treeControl->show();
    treeControl->setFocus();
    QTest::keyClick(treeControl, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(ran, "editor;profile;");
}

} // namespace
} // namespace vemo::test

namespace vemo::test {
namespace {

TEST_F(Keys, ShortcutsReachTheirCommands) {
    QTest::keyClick(edits[0], Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(window->isAreaShown(Area::DataTree));
}

} // namespace
} // namespace vemo::test
