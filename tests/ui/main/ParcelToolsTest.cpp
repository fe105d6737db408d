// The parcel editor and the selection panel as installed tools of the main window: plot clicks reach
// them through the tool registry, the 座標選択 command shows the panel, the link file holds the
// selection while the panel is shown.
#include "MainFixture.h"
#include "core/text/Cp932.h"
#include "ui/main/CommandSet.h"
#include "ui/main/ParcelArea.h"
#include "ui/main/PlotArea.h"
#include "ui/main/Tools.h"
#include "ui/main/TreeArea.h"
#include "ui/main/XyzListArea.h"
#include "ui/parcels/ParcelEditor.h"
#include "ui/parcels/SelectionPanel.h"
#include "ui/plot/PlotView.h"
#include "ui/tree/FileCommands.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

#include <filesystem>

namespace vemo::test {
namespace {

class ParcelTools : public MainFixture {
protected:
    MainWindow& OpenAll() {
        MainWindow& main = Open();
        InstallPlotArea(main);
        InstallTreeArea(main);
        InstallXyzListArea(main);
        editor = InstallParcelArea(main);
        panel = InstallSelectionPanel(main, editor);
        main.store().xyz.ReplaceAll({{"", "A", "0.000", "0.000", "", "", ""},
                                     {"", "B", "0.000", "30.000", "", "", ""},
                                     {"", "C", "20.000", "30.000", "", "", ""}});
        main.resize(1200, 700);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main)); // the focused tool takes the clicks
        main.setAreaShown(Area::Plot, true);
        main.setAreaShown(Area::BlockEdit, true);
        main.commands().setEnabled(Cmd::EditXyzSelect, true); // as after opening coordinates
        return main;
    }
    ParcelEditor* editor = nullptr;
    SelectionPanel* panel = nullptr;
};

TEST_F(ParcelTools, PlotClicksGoToTheFocusedTool) {
    MainWindow& main = OpenAll();
    editor->grid()->setFocus();
    for (const char* name : {"A", "B", "C", "A"}) {
        EXPECT_TRUE(main.tools().offerPointName(PointSource::PlotClick, name));
    }
    EXPECT_EQ(editor->rows(), (std::vector<std::string>{"A", "B", "C", "A", ""}));
    main.commands().trigger(Cmd::BlkAdd);
    EXPECT_TRUE(editor->nameField()->text().isEmpty()); // no name: nothing registered
    editor->nameField()->setText(QStringLiteral("LOT"));
    main.commands().trigger(Cmd::BlkAdd);
    ASSERT_EQ(main.store().blocks.Count(), 1);
    main.grab(); // a repaint with the editor's layer over the registered parcel

    main.commands().trigger(Cmd::EditXyzSelect);
    ASSERT_TRUE(main.isSelectionPanelShown());
    ASSERT_TRUE(panel->list()->hasFocus());
    main.tools().offerPointName(PointSource::PlotClick, "B");
    main.tools().offerPointName(PointSource::PlotClick, "C");
    main.tools().offerPointName(PointSource::PlotClick, "B"); // clicked again: out
    EXPECT_EQ(panel->names(), (std::vector<std::string>{"C"}));
    EXPECT_TRUE(editor->rows() == std::vector<std::string>{""}); // the editor was not asked
}

TEST_F(ParcelTools, LinkFileHoldsTheSelectionWhileShown) {
    MainWindow& main = OpenAll();
    main.commands().trigger(Cmd::EditXyzSelect);
    const std::filesystem::path link = std::filesystem::path(home.Str()) / "Xyz.txt";
    main.store().names.TmpDir = home.Str();
    panel->togglePoint("C");
    main.treeArea()->commands().applicationDeactivated();
    EXPECT_FALSE(std::filesystem::exists(link)); // one name: nothing written
    panel->togglePoint("A");
    main.treeArea()->commands().applicationDeactivated();
    ASSERT_TRUE(std::filesystem::exists(link));
    const std::string text = ReadBytes(link.string());
    EXPECT_LT(text.find("C "), text.find("A ")); // selection order, not list order
    EXPECT_EQ(text.find("B "), std::string::npos);
}

// Two registered parcels outlined on the plot and a third being typed (dotted), saved for a look; run
// under xvfb-run with QT_QPA_PLATFORM=xcb for the real window.
TEST_F(ParcelTools, ScreenshotOfTheEditorAtWork) {
    MainWindow& main = OpenAll();
    main.store().xyz.AppendRows({{"", "D", "20.000", "0.000", "", "", ""},
                                 {"", "E", "40.000", "0.000", "", "", ""},
                                 {"", "F", "40.000", "30.000", "", "", ""},
                                 {"", "G", "10.000", "45.000", "", "", ""}});
    main.plotView()->CoordinatesLoaded();
    const std::vector<std::pair<const char*, std::vector<const char*>>> parcels = {{"1-1", {"A", "B", "C", "D", "A"}},
                                                                                   {"1-2", {"D", "C", "F", "E", "D"}}};
    for (const auto& [name, points] : parcels) {
        editor->nameField()->setText(QString::fromUtf8(name));
        editor->grid()->setFocus();
        for (const char* point : points) {
            main.tools().offerPointName(PointSource::PlotClick, point);
        }
        main.commands().trigger(Cmd::BlkAdd);
    }
    editor->nameField()->setText(QStringLiteral("1-3"));
    editor->grid()->setFocus();
    for (const char* point : {"B", "G", "C"}) {
        main.tools().offerPointName(PointSource::PlotClick, point);
    }
    ASSERT_EQ(main.store().blocks.Count(), 2);
    EXPECT_EQ(editor->rows(), (std::vector<std::string>{"B", "G", "C", ""}));
    QApplication::processEvents();
    EXPECT_TRUE(main.grab().save(QStringLiteral("/tmp/parcel-main.png")));
}

} // namespace
} // namespace vemo::test
