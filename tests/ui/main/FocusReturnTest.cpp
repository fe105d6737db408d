// After OK in a message box or a dialog, the window it was opened from is the active one again and its
// field takes the next key: without a window manager to hand the activation back, the closed dialog
// stayed active and the first key or shortcut typed after OK went nowhere.
#include "MainFixture.h"

#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/CommandSet.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace vemo::test {
namespace {

using FocusReturn = MainFixture;

TEST_F(FocusReturn, ClosingAMessageBoxOrDialogGivesTheKeysBackToItsWindow) {
    MainWindow& main = OpenWithAreas();
    main.store().xyz.ReplaceAll(
        {{"", "K1", "-42040.118", "-15201.552", "", "", ""}, {"", "K2", "-42031.470", "-15171.220", "", "", ""}});
    main.commands().setEnabled(Cmd::DispXyzList, true);
    main.setAreaShown(Area::XyzList, true);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QApplication::setActiveWindow(&main);
    XyzStrGrid* grid = main.xyzListPanel()->grid();
    grid->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), grid);

    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vemo"), QStringLiteral("K9 は見つかりません"),
                    QMessageBox::Ok, grid);
    QDialog dialog(&main);
    for (QDialog* shown : {static_cast<QDialog*>(&box), &dialog}) {
        shown->show();
        QApplication::setActiveWindow(shown); // as the window system activates it
        ASSERT_EQ(QApplication::activeWindow(), shown);
        shown->accept(); // OK
        EXPECT_EQ(QApplication::activeWindow(), &main);
        EXPECT_EQ(QApplication::focusWidget(), grid);
    }
    // A window the user went to meanwhile keeps the activation.
    QDialog other(&main);
    dialog.show();
    other.show();
    QApplication::setActiveWindow(&other);
    dialog.accept();
    EXPECT_EQ(QApplication::activeWindow(), &other);
}

} // namespace
} // namespace vemo::test
