// 計算 "トラバース計算" opens the traverse window modally, in the mode [Trvs] ZUB asks for at this
// showing, over a fresh traverse; the main window's auto-save tick writes "Auto.Trv" while its table
// has the focus.
#include "MainFixture.h"

#include "core/traverse/TrvsFile.h"
#include "support/WhenShown.h"
#include "ui/common/MessageBox.h"
#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/TraverseTool.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsWindow.h"

#include <QApplication>

#include <filesystem>

namespace vemo::test {
namespace {

class TraverseTool : public MainFixture {
protected:
    // Runs the command; while the window is up, `inside` looks at it, then it is closed.
    void RunCommand(MainWindow& main, const std::function<void(TrvsWindow&)>& inside) {
        bool seen = false;
        WhenShown<TrvsWindow>([&](TrvsWindow* window) {
            seen = true;
            inside(*window);
            if (window->Modified()) {
                MessageBox::SetNextAnswer(QMessageBox::Discard); // the question at close: not kept
            }
            window->reject();
        });
        main.commands().trigger(Cmd::CalcTrvs);
        EXPECT_TRUE(seen);
    }
};

TEST_F(TraverseTool, CalculationMenuOpensTheWindowInTheConfiguredMode) {
    MainWindow& main = Open();
    TrvsWindow* window = InstallTraverseWindow(main, nullptr);
    main.show();
    ASSERT_TRUE(main.commands().action(Cmd::CalcTrvs) != nullptr);
    RunCommand(main, [](TrvsWindow& w) {
        EXPECT_EQ(w.CurrentMode(), TrvsWindow::Mode::Traverse);
        EXPECT_EQ(w.windowTitle(), "トラバース計算");
        w.Table().SetCell(1, kTrvColTarget, "P2");
        w.Grid()->setFocus();
    });
    // Reset at the next showing; the settings file is read again, now asking for the ZUB Editor.
    WriteBytes(IniPath(), "[Trvs]\r\nZUB=1\r\n");
    RunCommand(main, [](TrvsWindow& w) {
        EXPECT_EQ(w.CurrentMode(), TrvsWindow::Mode::ZubEditor);
        EXPECT_TRUE(w.windowTitle().startsWith("ZUB Editor"));
    });
    WriteBytes(IniPath(), "[Trvs]\r\nZUB=0\r\n");
    RunCommand(main, [&](TrvsWindow& w) {
        EXPECT_EQ(w.Table().Cell(1, kTrvColTarget), "");
        w.Table().SetCell(1, kTrvColTarget, "Q9");
        w.Grid()->setFocus();
        std::filesystem::remove(AutoTrvPath(home.Str()));
        emit main.autoSaveTimer().fired();
        EXPECT_TRUE(std::filesystem::exists(AutoTrvPath(home.Str())));
        EXPECT_NE(ReadBytes(AutoTrvPath(home.Str())).find("Q9"), std::string::npos);
    });
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace vemo::test
