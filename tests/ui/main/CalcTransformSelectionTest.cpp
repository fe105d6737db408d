// The transformation tab as start-up installs it: it transforms the points of the main window's
// coordinate selection and closes the selection panel once they are registered.
#include "../plot/PlotTestData.h"
#include "MainFixture.h"
#include "ui/calc/CalcTabs.h"
#include "ui/calc/CalcWindow.h"
#include "ui/calc/TransformDialog.h"
#include "ui/calc/TransformPage.h"
#include "ui/common/MessageBox.h"
#include "ui/main/CalcArea.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"
#include "ui/main/ParcelEditorArea.h"
#include "ui/main/PlotArea.h"
#include "ui/parcels/SelectionPanel.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace vemo::test {
namespace {

using CalcTransformSelection = MainFixture;

TEST_F(CalcTransformSelection, TransformsTheSelectedPointsAndClosesTheSelection) {
    MainWindow& main = Open();
    InstallPlotArea(main);
    SelectionPanel* selection = InstallSelectionPanel(main, InstallParcelEditorArea(main));
    CalcWindow* calc = InstallCalcWindow(main);
    LoadPoints(main.store(), {{"A1", 0, 0}, {"A2", 10, 0}, {"A5", 20, 0}, {"N1", 100, 100}, {"N2", 100, 110}});
    main.show();
    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();

    main.commands().trigger(CalcTabCommand(CalcTab::kTransform));
    auto* page = qobject_cast<TransformPage*>(calc->page(CalcTab::kTransform));
    ASSERT_NE(page, nullptr);
    page->enterName(1, 1, QStringLiteral("A1"));
    page->enterName(1, 2, QStringLiteral("N1"));
    page->enterName(2, 1, QStringLiteral("A2"));
    page->enterName(2, 2, QStringLiteral("N2"));
    // Without the selection panel there is nothing to transform.
    page->run();
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"変換元座標を1点以上指定してください"});

    main.commands().setEnabled(Cmd::EditXyzSelect, true); // as after opening coordinates
    main.commands().trigger(Cmd::EditXyzSelect);
    ASSERT_TRUE(main.isSelectionPanelShown());
    selection->togglePoint("A5");
    QTimer::singleShot(0, [page] {
        if (TransformDialog* dialog = page->dialog()) {
            dialog->registerButton()->click();
        }
    });
    page->run();
    const auto moved = main.store().FindPointXY("A5");
    ASSERT_TRUE(moved.has_value());
    EXPECT_DOUBLE_EQ(moved->x, 100.0);
    EXPECT_DOUBLE_EQ(moved->y, 120.0);
    EXPECT_FALSE(main.isSelectionPanelShown());
    MessageBox::SetCapture(false);
}

} // namespace
} // namespace vemo::test
