#include "GridTestFixture.h"
#include "support/TempDir.h"
#include "ui/common/StatusNotice.h"
#include "ui/grid/XyzCleanDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

namespace vemo {
namespace {

using test::GridTest;

TEST_F(GridTest, CleanupDialogDeletesDuplicatesAndReports) {
    Fill({{"A", "1.000", "2.000"}, {"B", "1.000", "2.000"}, {"C", "1.000", "2.000"}, {"D", "5.000", "5.000"}});
    grid->setCurrentCell({4, kColY});
    QSignalSpy rebuilt(panel.get(), &XyzListPanel::nameIndexRebuilt);
    XyzCleanDialog* dialog = panel->cleanDialog();
    // Answer the modal dialog as the surveyor would: the defaults (X, Y; delete), then "実行".
    QTimer::singleShot(0, dialog, [dialog] {
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->xyKey()->isChecked());
        EXPECT_TRUE(dialog->deleteChoice()->isChecked());
        dialog->accept();
    });
    panel->clean();
    EXPECT_EQ(store.xyz.RowCount(), 3);
    EXPECT_EQ(Cell(2, kColName), "D");
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("2 点削除しました")});
    EXPECT_EQ(Cursor().row, 1);
    EXPECT_EQ(rebuilt.size(), 1);
    EXPECT_TRUE(store.FindPointXY("D").has_value()); // the name index follows the cleaned list
    EXPECT_EQ(panel->focusWidget(), grid);           // the grid has the focus again once the window is active
}

TEST_F(GridTest, CleanupRenamesAndRenumbers) {
    Fill({{"T5", "1.000", "2.000"}, {"T5", "1.000", "2.000"}, {"K1", "3.000", "3.000"}});
    XyzCleanDialog* dialog = panel->cleanDialog();
    dialog->fromOldChoice()->setChecked(true);
    panel->runCleanup(dialog->request());
    EXPECT_EQ(Cell(2, kColName), "T5#");
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("1 点変更しました")});

    // No key chosen: nothing happens and nothing is shown.
    dialog->xyKey()->setChecked(false);
    MessageBox::ClearShownTexts();
    panel->runCleanup(dialog->request());
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());

    dialog->tabs()->setCurrentIndex(1);
    EXPECT_EQ(dialog->firstNameEdit()->text(), QStringLiteral("001"));
    grid->setCurrentCell({2, kColName});
    panel->runCleanup(dialog->request()); // from the cursor row, the entry row included
    EXPECT_EQ(Cell(1, kColName), "T5");
    EXPECT_EQ(Cell(2, kColName), "001");
    EXPECT_EQ(Cell(3, kColName), "002");
    dialog->fromTopChoice()->setChecked(true);
    dialog->firstNameEdit()->setText(QStringLiteral("9"));
    panel->runCleanup(dialog->request());
    EXPECT_EQ(test::Names(store.xyz), (std::vector<std::string>{"9", "10", "11"}));
}

TEST_F(GridTest, CleanupDialogTypesUpperCaseAndMovesOnWithEnter) {
    XyzCleanDialog* dialog = panel->cleanDialog();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    dialog->newNameEdit()->setFocus();
    dialog->newNameEdit()->clear();
    QTest::keyClicks(dialog->newNameEdit(), "bp-1");
    EXPECT_EQ(dialog->newNameEdit()->text(), QStringLiteral("BP-1"));
    QTest::keyClick(dialog->newNameEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(QApplication::focusWidget(), dialog->newNameEdit());
    dialog->setUpperChr(false);
    QTest::keyClicks(dialog->headEdit(), "x");
    EXPECT_EQ(dialog->headEdit()->text(), QStringLiteral("x"));
    dialog->reject();
}

TEST_F(GridTest, EditorCommandWritesTheLinkFileAndOpensIt) {
    test::TempDir tmp;
    store.names.TmpDir = tmp.Str();
    Fill({{"A1", "1.000", "2.000"}, {"A2", "", ""}});
    QString opened;
    QString said;
    SetStatusNoticeSink(panel.get(), [&said](const QString& text) { said = text; });
    XyzListPanel::setDocumentOpener([&opened](const QString& path) {
        opened = path;
        return true;
    });
    panel->editInEditor();
    const QString link = QString::fromStdString(tmp.File("Xyz.txt"));
    EXPECT_EQ(opened, link);
    // Where the list went is said, and said in a box when the desktop has no program to open it with.
    EXPECT_EQ(said, QStringLiteral("エディタで開く座標リストを書き出しました: ") + link);
    XyzListPanel::setDocumentOpener([](const QString&) { return false; });
    panel->editInEditor();
    XyzListPanel::setDocumentOpener({});
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains(QStringLiteral("エディタを起動できません"))) << said.toStdString();
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains(link)) << MessageBox::ShownTexts()[0].toStdString();
    const std::string text = test::ReadBytes(tmp.File("Xyz.txt"));
    EXPECT_EQ(text.substr(0, 2), "A1");
    EXPECT_EQ(text.find("A2"), std::string::npos); // rows without X and Y are not written
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(GridTest, ColumnCommandsFollowTheCheckBoxes) {
    panel->toggleZInput();
    EXPECT_TRUE(grid->columnSwitches().z);
    EXPECT_TRUE(grid->hasGridFocus());
    TypeTab("P1");
    TypeTab("1");
    TypeTab("2");
    EXPECT_EQ(Cursor(), (GridCell{1, kColZ}));
    Key(Qt::Key_Return); // Z is now the last entry column
    EXPECT_EQ(store.xyz.RowCount(), 3);
    EXPECT_EQ(Cell(1, kColZ), "0.000");
    panel->toggleZInput();
    EXPECT_FALSE(grid->columnSwitches().z);
    EXPECT_FALSE(panel->ownActions()[3]->isChecked());
}

} // namespace
} // namespace vemo
