// The parcel editor and the selection panel as installed tools of the main window: plot clicks reach
// them through the tool registry, the 座標選択 command shows the panel, the link file holds the
// selection while the panel is shown.
#include "MainFixture.h"
#include "core/text/Cp932.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/main/CommandSet.h"
#include "ui/main/ParcelEditorArea.h"
#include "ui/main/ToolRegistry.h"
#include "ui/parcels/ParcelEditor.h"
#include "ui/parcels/SelectionPanel.h"
#include "ui/plot/PlotView.h"
#include "ui/tree/FileCommands.h"
#include "ui/tree/HeaderEditor.h"
#include "ui/tree/LinkFileCommands.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <filesystem>

namespace vemo::test {
namespace {

class ParcelTools : public MainFixture {
protected:
    MainWindow& OpenAll() {
        MainWindow& main = OpenWithAreas();
        editor = InstallParcelEditorArea(main);
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
    // A parcel typed as a surveyor does: its name, then its vertices clicked on the plot.
    void ClickParcel(MainWindow& main, const char* name, std::initializer_list<const char*> points) {
        editor->nameField()->setText(QString::fromUtf8(name));
        editor->grid()->setFocus();
        for (const char* point : points) {
            main.tools().offerPointName(PointSource::PlotClick, point);
        }
    }
    // The neighbouring parcels 1-1 (A, B, C, D) and 1-2 (D, C, F, E), registered.
    void AddNeighbouringParcels(MainWindow& main) {
        ClickParcel(main, "1-1", {"A", "B", "C", "D", "A"});
        main.commands().trigger(Cmd::BlkAdd);
        ClickParcel(main, "1-2", {"D", "C", "F", "E", "D"});
        main.commands().trigger(Cmd::BlkAdd);
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

    // 測点ｲﾒｰｼﾞ挿入 takes what the plot drew: all three points, fitted.
    main.plotView()->FitAllPoints();
    main.plotView()->grab();
    QTest::mouseClick(panel->button(QStringLiteral("測点ｲﾒｰｼﾞ挿入")), Qt::LeftButton);
    std::vector<std::string> names = panel->names();
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"C", "A", "B"}));
}

// The 画地 menu shows the keys of the editor's commands (they act in the editor only); the coordinate
// list's context menu offers 全座標リスト印刷.
TEST_F(ParcelTools, MenusShowParcelKeysAndListPrinting) {
    MainWindow& main = OpenAll();
    CommandSet& commands = main.commands();
    EXPECT_EQ(commands.action(Cmd::BlkClear)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Home")));
    EXPECT_EQ(commands.action(Cmd::BlkAdd)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Enter")));
    EXPECT_EQ(commands.action(Cmd::BlkDel)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Del")));
    // Shown, not taken over: Ctrl+Home in the coordinate list does not start a new parcel.
    editor->nameField()->setText(QStringLiteral("KEEP"));
    main.xyzListPanel()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(editor->nameField()->text(), QStringLiteral("KEEP"));
    EXPECT_TRUE(main.xyzListPanel()->contextMenuActions().contains(commands.action(Cmd::ListPrintAll)));
}

// 画地面積一覧 (F12) reuses the profile editor: after a 現場フォルダ作成 given up with ｷｬﾝｾﾙ, the list
// showed that dialog's line about the folder name instead of its own title alone.
TEST_F(ParcelTools, AreaListShowsItsOwnTitleAfterACancelledNewSite) {
    MainWindow& main = OpenAll();
    main.store().xyz.AppendRows({{"", "D", "20.000", "0.000", "", "", ""}});
    ClickParcel(main, "1-1", {"A", "B", "C", "D", "A"});
    main.commands().trigger(Cmd::BlkAdd);
    ASSERT_EQ(main.store().blocks.Count(), 1);
    HeaderEditor::queueResponder([](HeaderEditor&) { return false; }); // 現場フォルダ作成, then ｷｬﾝｾﾙ
    main.commands().trigger(Cmd::FileNewCase);
    ASSERT_EQ(HeaderEditor::pendingResponders(), 0);
    QString title;
    QString hint;
    QString text;
    HeaderEditor::queueResponder([&](HeaderEditor& viewer) {
        title = viewer.windowTitle();
        hint = viewer.hintLabel()->isHidden() ? QString() : viewer.hintLabel()->text();
        text = viewer.text();
        return true;
    });
    main.commands().trigger(Cmd::BlkAreaList);
    EXPECT_EQ(title, QStringLiteral("画地面積一覧"));
    EXPECT_EQ(hint, QString());
    EXPECT_TRUE(text.contains(QStringLiteral("1-1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("600.00"))) << text.toStdString(); // 20 m x 30 m
}

// Opening 座標選択 narrows the plot: the pixel centre moves to the middle of the narrower plot at once,
// while the world centre and the scale stay: whether the plot was shown or had to be shown, and also
// while cleared coordinates wait for their first fit (when a resize alone leaves the pixel centre).
TEST_F(ParcelTools, SelectionPanelCentresThePixelsOfTheNarrowerPlot) {
    MainWindow& main = OpenAll();
    PlotView* plot = main.plotView();
    const struct {
        bool plotShownBefore;
        bool coordinatesCleared;
    } cases[] = {{true, false}, {false, false}, {false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.plotShownBefore << c.coordinatesCleared);
        main.setSelectionPanelShown(false);
        main.setAreaShown(Area::Plot, true);
        QApplication::processEvents();
        plot->SetView(12.5, 7.5, 4.0);
        const int widthBefore = plot->width();
        ASSERT_EQ(plot->Viewport().pixelCentreX, widthBefore / 2);
        main.setAreaShown(Area::Plot, c.plotShownBefore);
        if (c.coordinatesCleared) { // while the plot is hidden: no fit until there are points
            main.store().xyz.ReplaceAll({});
            plot->CoordinatesLoaded();
            ASSERT_EQ(plot->PlotState(), PlotStates::kNeedsFit);
        }
        main.commands().trigger(Cmd::EditXyzSelect);
        ASSERT_TRUE(plot->isVisible());
        const PlotViewport& view = plot->Viewport();
        EXPECT_LT(plot->width(), widthBefore);
        EXPECT_EQ(view.width, plot->width());
        EXPECT_EQ(view.pixelCentreX, plot->width() / 2);
        EXPECT_EQ(view.pixelCentreY, plot->height() / 2);
        EXPECT_EQ(view.centreX, 12.5);
        EXPECT_EQ(view.centreY, 7.5);
        EXPECT_EQ(view.scale, 4.0);
    }
}

// A click on the plot while the parcel list has the focus loads the parcel whose label point is
// nearest: clicks inside each of two neighbouring parcels load that parcel into the editor.
TEST_F(ParcelTools, ClickInsideAParcelOnThePlotLoadsIt) {
    MainWindow& main = OpenAll();
    main.store().xyz.AppendRows({{"", "D", "20.000", "0.000", "", "", ""},
                                 {"", "E", "40.000", "0.000", "", "", ""},
                                 {"", "F", "40.000", "30.000", "", "", ""}});
    main.plotView()->CoordinatesLoaded();
    QApplication::processEvents();
    // Labels: 1-1 at (2A+B+C+D)/5 = (8, 12), 1-2 at (2D+C+F+E)/5 = (28, 12).
    AddNeighbouringParcels(main);
    ASSERT_EQ(main.store().blocks.Count(), 2);
    QListWidget* list = editor->parcelList();
    list->setFocus();
    list->selectAll(); // the list in its multi-select mode: the pick narrows it to the picked parcel
    const struct {
        double x, y; // world point clicked, metres
        const char* name;
        std::vector<std::string> rows;
        int position;
    } cases[] = {
        {35.0, 25.0, "1-2", {"D", "C", "F", "E", "D", ""}, 1}, // inside 1-2, near its corner F
        {2.0, 3.0, "1-1", {"A", "B", "C", "D", "A", ""}, 0},   // inside 1-1, near its corner A
        {19.0, 14.0, "1-2", {"D", "C", "F", "E", "D", ""}, 1}, // inside 1-1 but nearer 1-2's label
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PlotPixel at = main.plotView()->Viewport().ToPixel(c.x, c.y);
        QTest::mouseClick(main.plotView(), Qt::LeftButton, {}, QPoint(at.x, at.y));
        EXPECT_EQ(editor->nameField()->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(editor->rows(), c.rows);
        EXPECT_EQ(editor->chosenParcel(), c.position);
        EXPECT_EQ(list->currentRow(), c.position);
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
}

// Ctrl+Insert and Ctrl+Delete are also the coordinate list's row keys: in the parcel editor's grid they
// edit the ring, in its parcel list Ctrl+Delete deletes the parcel, in the selection panel they edit the
// selection; the coordinate list keeps its rows.
TEST_F(ParcelTools, RowKeysInTheParcelToolsEditTheirOwnRows) {
    MainWindow& main = OpenAll();
    main.setAreaShown(Area::XyzList, true);
    editor->grid()->setFocus();
    for (const char* name : {"A", "B", "C"}) {
        main.tools().offerPointName(PointSource::PlotClick, name);
    }
    // Enter confirms a typed name in the grid itself; it does not move the focus on.
    QTest::keyClick(editor->grid(), 'A');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const int listRows = main.store().xyz.RowCount();
    editor->grid()->setCurrentCell(1, 0);
    QTest::keyClick(editor->grid(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(editor->rows(), (std::vector<std::string>{"A", "", "B", "C", "A", ""}));
    editor->grid()->setCurrentCell(3, 0);
    QTest::keyClick(editor->grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(editor->rows(), (std::vector<std::string>{"A", "", "B", "A", ""}));
    EXPECT_EQ(main.store().xyz.RowCount(), listRows);

    // Ctrl+Delete in the parcel list deletes the parcel, not a coordinate row.
    editor->nameField()->setText(QStringLiteral("LOT"));
    main.commands().trigger(Cmd::BlkAdd);
    ASSERT_EQ(main.store().blocks.Count(), 1);
    editor->parcelList()->setFocus();
    editor->parcelList()->setCurrentRow(0);
    QTest::keyClick(editor->parcelList(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(main.store().blocks.Count(), 0);
    EXPECT_EQ(main.store().xyz.RowCount(), listRows);

    // The selection panel: an empty row inserted at B takes the name typed into it at that place.
    main.commands().trigger(Cmd::EditXyzSelect);
    for (const char* name : {"A", "B", "C"}) {
        panel->togglePoint(name);
    }
    QTableWidget* selection = panel->list();
    selection->setFocus();
    selection->setCurrentCell(1, 1);
    QTest::keyClick(selection, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(selection->rowCount(), 5); // A, the inserted row, B, C and the entry row
    selection->setCurrentCell(3, 1);
    QTest::keyClick(selection, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(panel->rows(), (std::vector<std::string>{"A", "B", ""}));
    selection->setCurrentCell(1, 1);
    QTest::keyClick(selection, 'C');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(panel->rows(), (std::vector<std::string>{"A", "C", "B", ""}));
    EXPECT_EQ(main.store().xyz.RowCount(), listRows);
    QStringList menu;
    for (QAction* action : selection->actions()) {
        menu << action->text() + " " + action->shortcut().toString();
    }
    EXPECT_EQ(menu, (QStringList{"挿入 Ctrl+Ins", "削除 Ctrl+Del"}));
}

TEST_F(ParcelTools, LinkFileHoldsTheSelectionWhileShown) {
    MainWindow& main = OpenAll();
    main.commands().trigger(Cmd::EditXyzSelect);
    const std::filesystem::path link = std::filesystem::path(home.Str()) / "Xyz.txt";
    main.store().names.TmpDir = home.Str();
    panel->togglePoint("C");
    main.treeArea()->commands().linkFiles().applicationDeactivated();
    EXPECT_FALSE(std::filesystem::exists(link)); // one name: nothing written
    panel->togglePoint("A");
    main.treeArea()->commands().linkFiles().applicationDeactivated();
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
    AddNeighbouringParcels(main);
    ClickParcel(main, "1-3", {"B", "G", "C"});
    ASSERT_EQ(main.store().blocks.Count(), 2);
    EXPECT_EQ(editor->rows(), (std::vector<std::string>{"B", "G", "C", ""}));
    QApplication::processEvents();
    EXPECT_TRUE(main.grab().save(QStringLiteral("/tmp/parcel-main.png")));
}

} // namespace
} // namespace vemo::test
