#pragma once

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "ui/common/MessageBox.h"
#include "ui/common/SystemBeep.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/grid/XyzTableModel.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace vemo::test {

inline std::vector<std::string> Names(const XyzList& list) {
    std::vector<std::string> names;
    for (int row = 1; row < list.RowCount(); ++row) {
        names.push_back(list.Cell(row, kColName));
    }
    return names;
}

// A shown coordinate list panel over a fresh store, with messages captured instead of shown.
class GridTest : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
        SystemBeep::ResetCount();
        panel = std::make_unique<XyzListPanel>(store);
        panel->resize(700, 500);
        panel->show();
        panel->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        grid = panel->grid();
        grid->setFocus();
    }
    void TearDown() override {
        panel.reset();
        MessageBox::SetCapture(false);
    }

    // Keys go where a user's keys would go: to the focused widget (the cell editor while one is open).
    static QWidget* Focused() { return QApplication::focusWidget(); }
    void Type(const QString& text) {
        for (QChar c : text) {
            QTest::keyClick(Focused(), c.toLatin1());
        }
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Focused(), key, modifiers);
    }
    // Types a cell's text and leaves it with Tab.
    void TypeTab(const QString& text) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    std::string Cell(int row, int col) const { return store.xyz.Cell(row, col); }
    GridCell Cursor() const { return grid->currentCell(); }
    void Fill(std::initializer_list<std::array<const char*, 3>> rows) {
        std::vector<XyzRow> cells;
        for (const auto& row : rows) {
            cells.push_back({"", row[0], row[1], row[2], "", "", ""});
        }
        store.xyz.ReplaceAll(std::move(cells));
    }

    Store store;
    std::unique_ptr<XyzListPanel> panel;
    XyzStrGrid* grid = nullptr;
};

} // namespace vemo::test
