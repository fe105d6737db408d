#pragma once

#include "../plot/PlotTestData.h"
#include "support/TempDir.h"
#include "ui/calc/CalcWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/SystemBeep.h"
#include "ui/plot/PlotView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vemo::test {

// The plot's way to the window's point names, as the tool registry links them.
class CalcNames : public PlotClickTarget {
public:
    explicit CalcNames(CalcWindow*& window) : window_(window) {}
    bool AcceptsPointClick() const override { return window_->acceptsPointName(false); }
    void PointClicked(const std::string& cp932Name) override { window_->takePointName(cp932Name); }

private:
    CalcWindow*& window_;
};

// A calculation window over a real store and a real plot, linked as the main window links them, with
// every message box captured.
class CalcFixture : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
        SystemBeep::ResetCount();
        // A 10 m square A1..A4 (A3 at the far corner), A5 beyond it, two circle centres C1, C2.
        LoadPoints(
            *store,
            {{"A1", 0, 0}, {"A2", 10, 0}, {"A3", 10, 10}, {"A4", 0, 10}, {"A5", 20, 0}, {"C1", 0, 0}, {"C2", 0, 8}});
        plot = std::make_unique<PlotView>(*store);
        plot->resize(400, 400);
        plot->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(plot.get()));
        plot->FitAll();
        CalcHost host;
        host.store = store.get();
        host.repaintPlot = [this] { plot->update(); };
        host.pointsRegistered = [this] { plot->RePaint(); };
        host.resultTxtPath = [this] { return home.File("Result.Txt"); };
        window.reset(CreateCalcWindow(host));
        windowPtr = window.get();
        plot->AddLayer(window.get(), PlotLayerOrder::kCalculation);
        plot->AddClickTarget(&names, PlotClickOrder::kCalculation);
    }
    void TearDown() override {
        plot->RemoveLayer(window.get());
        plot->RemoveClickTarget(&names);
        window.reset();
        MessageBox::SetCapture(false);
    }

    void Open(int tab) {
        window->openTab(tab);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->selectTab(tab);
    }

    // Types into the current cell of a grid as the surveyor does: the first key opens the editor.
    static void TypeInGrid(QTableWidget* grid, const QString& text) {
        grid->setFocus();
        QTest::keyClicks(grid, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Types into a field after giving it the focus, then Enter.
    static void TypeInField(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // A radio button takes clicks on its mark and text only, not on the empty rest of its row.
    static void ClickRadio(QAbstractButton* button) {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // Triggers the context-menu item `text` of `widget`; false when it has none of that text.
    static bool TriggerAction(QWidget* widget, const QString& text) {
        for (QAction* action : widget->actions()) {
            if (action->text() == text) {
                action->trigger();
                return true;
            }
        }
        return false;
    }
    static QString Cell(QTableWidget* grid, int row, int column) {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }
    QPoint PixelOf(double x, double y) const {
        const PlotPixel p = plot->Viewport().ToPixel(x, y);
        return {p.x, p.y};
    }
    void SaveShot(QWidget* widget, const QString& name) const {
        const QImage image = widget->grab().toImage();
        ASSERT_FALSE(image.isNull());
        const QByteArray dir = qgetenv("VEMO_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(image.save(QDir(QString::fromLocal8Bit(dir)).filePath(name)));
        }
    }

    TempDir home;
    std::unique_ptr<Store> store = std::make_unique<Store>();
    std::unique_ptr<PlotView> plot;
    std::unique_ptr<CalcWindow> window;
    CalcWindow* windowPtr = nullptr;
    CalcNames names{windowPtr};
};

} // namespace vemo::test
