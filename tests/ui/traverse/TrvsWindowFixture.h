#pragma once

#include "core/text/Cp932.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsWindow.h"
#include "ui/tree/FileDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vemo::test {

// A (1000, 1000) north 100.010 m to P1, east 100 m to P2, north 100.020 m to the known end B
// (1200, 1100); the start backsight S lies due south of A, the end sighting point E due east of B.
// Row 3 is a side shot taken at P1 with the foresight to P2: 45° from the backsight A, 30 m south-west.
inline constexpr const char* kConnectedTrv =
    "1\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nS,1,180.0000\r\n"
    "B,1200.000,1100.000,0.000\r\nE,1,90.0000\r\n"
    "1,T,,,P1,180.0000,90.0000,100.010\r\n2,T,,,P2,270.0000,90.0000,100.000\r\n"
    "3,K,,,R1,45.0000,90.0000,30.000\r\n4,T,,,B,90.0000,90.0000,100.020\r\n"
    "5,T,,,E,270.0000,90.0000,\r\n";

// The traverse window on a workspace of its own program folder, shown (not modally, so that the test
// drives it), every message box captured.
class TrvsWindowFixture : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
        FileDialog::clearRecord(); // what an earlier test asked is not this test's
    }
    void TearDown() override {
        window.reset();
        workspace.reset();
        MessageBox::SetCapture(false);
    }

    TrvsWindow& Open(const std::string& iniBytes = {}) {
        if (!iniBytes.empty()) {
            WriteBytes(home.File("VEMO.ini"), iniBytes);
        }
        workspace = std::make_unique<Workspace>(home.Str());
        window = std::make_unique<TrvsWindow>(*workspace);
        window->Prepare();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }

    void AddPoint(const char* name, const char* x, const char* y, const char* z = "0.000") {
        XyzList& list = workspace->store().xyz;
        XyzRow row{"", name, x, y, z, "", ""};
        if (list.RowCount() == 2 && list.Cell(1, kColName).empty()) {
            list.SetRow(1, row);
        } else {
            list.AppendRows({row});
        }
    }

    // Keys go where the focus is; right after a modal box has closed that may be nowhere yet, and the
    // window then takes them as a user's next key would reach it.
    QWidget* Target() const { return QApplication::focusWidget() ? QApplication::focusWidget() : window.get(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Target(), key, modifiers);
        QCoreApplication::processEvents(); // an editor commits its text in a queued call
    }
    // Types the text into whatever has the focus, then Enter.
    void Enter(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            QTest::keyClick(Target(), *c);
            QCoreApplication::processEvents();
        }
        Key(Qt::Key_Return);
    }
    QLineEdit* Field(TrvsHeaderPanel::Field field) const { return window->HeaderPanel()->FieldWidget(field); }
    std::string Cell(int row, int col) const { return Cp932ToUtf8(window->Table().Cell(row, col)); }

    TempDir home;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<TrvsWindow> window;
};

} // namespace vemo::test
