#pragma once

#include "core/text/Cp932.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vemo::test {

// The traverse window on a workspace of its own program folder, shown (not modally, so that the test
// drives it), every message box captured.
class TrvsWindowFixture : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::setCapture(true);
        MessageBox::clearShownTexts();
    }
    void TearDown() override {
        window.reset();
        workspace.reset();
        MessageBox::setCapture(false);
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
