// The parcel editor driven by keys and mouse like a surveyor: typing rings, registering, the refusals,
// "+" runs, changing and deleting parcels.
#include "ui/parcels/ParcelEditor.h"

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "ui/common/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

using Rows = std::vector<std::string>;

class ParcelEditorTest : public ::testing::Test {
protected:
    ParcelEditorTest() {
        std::vector<XyzRow> points;
        const std::vector<std::array<const char*, 3>> named = {
            {"A", "0", "0"},    {"B", "0", "30"},   {"C", "20", "30"}, {"D", "20", "0"},  {"T5", "40", "0"},
            {"T7", "40", "10"}, {"T8", "50", "10"}, {"T4", "50", "0"}, {"T3", "60", "0"}, {"T2", "60", "10"}};
        for (const auto& [name, x, y] : named) {
            points.push_back(XyzRow{"", name, x, y, "", "", ""});
        }
        store.xyz.ReplaceAll(std::move(points));
        editor.resize(300, 500);
        editor.show();
        QApplication::setActiveWindow(&editor);
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
    }
    ~ParcelEditorTest() override { MessageBox::SetCapture(false); }

    // Keys go where the focus is, as on a keyboard (a cell editor once typing has opened it).
    void type(const QString& text) {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    }
    void enterName(const QString& text) {
        type(text);
        key(Qt::Key_Return);
    }
    void startParcel(const QString& name) {
        editor.nameField()->setFocus();
        type(name);
        key(Qt::Key_Return);
    }
    QStringList messages() {
        QStringList shown = MessageBox::ShownTexts();
        MessageBox::ClearShownTexts();
        return shown;
    }

    Store store;
    ParcelEditor editor{store};
};

TEST_F(ParcelEditorTest, TypedRingRegistersOnlyWhenFormedAndClosed) {
    startParcel("P1");
    ASSERT_EQ(QApplication::focusWidget(), editor.grid());
    enterName("A");
    enterName("B");
    key(Qt::Key_Return, Qt::ControlModifier); // A, B and the entry row: not a parcel
    EXPECT_EQ(messages(), QStringList{QStringLiteral("画地が構成されていません")});
    enterName("B"); // same as the row above
    enterName("ZZ");
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("前点と重複：B は画地編集の前の行と同じ点です"),
                                       QStringLiteral("№ ZZ は見つかりません")}));
    enterName("C");
    key(Qt::Key_Return, Qt::ControlModifier); // the message says how to close the ring
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("画地が閉じていません\n最後の行に始点の点名「A」をもう一度入力してください")});
    EXPECT_EQ(store.blocks.Count(), 0);
    EXPECT_EQ(editor.rows(), (Rows{"A", "B", "C", ""}));

    enterName("A");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(store.blocks.Count(), 1);
    EXPECT_EQ(store.blocks.At(0).NoList, "A,B,C,A,");
    EXPECT_EQ(store.blocks.At(0).NoRowCount, 5);
    EXPECT_EQ(editor.parcelList()->count(), 1);
    EXPECT_EQ(editor.rows(), Rows{""}); // 新規 ran: empty editor, focus on the name
    EXPECT_EQ(QApplication::focusWidget(), editor.nameField());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ParcelEditorTest, PlusEntryAndUnconfirmedText) {
    startParcel("RUN");
    enterName("T5");
    enterName("+T8"); // T6 is not in the list
    EXPECT_EQ(editor.rows(), (Rows{"T5", "T7", "T8", ""}));
    enterName("+T2"); // counting down from T8: T6 is missing, T7 and T5 … T2 exist
    EXPECT_EQ(editor.rows(), (Rows{"T5", "T7", "T8", "T7", "T5", "T4", "T3", "T2", ""}));
    enterName("+K3"); // another prefix: the cell is emptied
    EXPECT_EQ(editor.rows().back(), "");

    // A name typed but not confirmed is dropped when the focus leaves the grid.
    QTableWidget* grid = editor.grid();
    grid->setCurrentCell(1, 0);
    type("D");
    QTest::mouseClick(editor.nameField(), Qt::LeftButton);
    EXPECT_EQ(editor.rows()[1], "T7");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ParcelEditorTest, ChangeAndDeleteKeepTheOtherParcels) {
    for (const char* name : {"ONE", "TWO", "THREE"}) {
        startParcel(name);
        for (const char* point : {"A", "B", "C", "A"}) {
            enterName(point);
        }
        key(Qt::Key_Return, Qt::ControlModifier);
    }
    ASSERT_EQ(store.blocks.Count(), 3);
    QListWidget* list = editor.parcelList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(editor.nameField()->text(), QStringLiteral("TWO"));
    EXPECT_EQ(editor.rows(), (Rows{"A", "B", "C", "A", ""}));

    // 変更: a new name and an extra point before the closing A.
    editor.nameField()->setText(QStringLiteral("TWO-B"));
    editor.grid()->setCurrentCell(3, 0);
    editor.grid()->setFocus();
    enterName("D");
    enterName("A");
    QTest::mouseClick(editor.button(QStringLiteral("変更")), Qt::LeftButton);
    EXPECT_EQ(store.blocks.At(1).BlockName, "TWO-B");
    EXPECT_EQ(store.blocks.At(1).NoList, "A,B,C,D,A,"); // the entry row appended after the last A
    EXPECT_EQ(store.blocks.At(0).BlockName, "ONE");

    // 削除 of the last parcel asks, then loads the new last one; Cancel deletes nothing.
    list->setCurrentRow(2);
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    QTest::mouseClick(editor.button(QStringLiteral("削除")), Qt::LeftButton);
    EXPECT_EQ(store.blocks.Count(), 3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("画地「THREE」を削除します")});
    list->setFocus();
    key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(store.blocks.Count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(editor.nameField()->text(), QStringLiteral("TWO-B"));
    EXPECT_EQ(editor.chosenParcel(), 1);
}

// Ctrl+Enter right after typing the closing name: the name is confirmed first, as Enter would, and the
// parcel registers.
TEST_F(ParcelEditorTest, CtrlEnterConfirmsTheTypedName) {
    startParcel("P1");
    for (const char* point : {"A", "B", "C", "D"}) {
        enterName(point);
    }
    type("A"); // typed, not yet confirmed
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_EQ(store.blocks.Count(), 1);
    EXPECT_EQ(store.blocks.At(0).NoList, "A,B,C,D,A,");

    // A name refused on confirmation registers nothing.
    startParcel("P2");
    for (const char* point : {"A", "B", "C"}) {
        enterName(point);
    }
    type("ZZ");
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("№ ZZ は見つかりません")});
    EXPECT_EQ(store.blocks.Count(), 1);
}

// A "+" run typed over a middle row is refused, not stored as a vertex name.
TEST_F(ParcelEditorTest, PlusRunOnlyInTheLastRow) {
    startParcel("P3");
    for (const char* point : {"A", "B", "C", "D", "A"}) {
        enterName(point);
    }
    editor.grid()->setCurrentCell(1, 0);
    enterName("+T8"); // over B
    EXPECT_EQ(messages(), QStringList{QStringLiteral("連番入力（+点名）は最後の行で入力してください")});
    EXPECT_EQ(editor.rows(), (Rows{"A", "B", "C", "D", "A", ""}));
}

// Rows without names are no parcel, however many there are.
TEST_F(ParcelEditorTest, EmptyRowsDoNotRegister) {
    startParcel("EMPTY");
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Insert, Qt::ControlModifier);
    }
    ASSERT_EQ(editor.rows(), (Rows{"", "", "", ""}));
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("画地が構成されていません")});
    EXPECT_EQ(store.blocks.Count(), 0);
}

// A parcel whose vertex left the coordinate list says so when loaded; 変更 and 削除 wait for a parcel;
// the list shows its current parcel as the chosen one when it gains the focus.
TEST_F(ParcelEditorTest, LoadingTellsMissingPointsAndTheListShowsItsParcel) {
    EXPECT_FALSE(editor.button(QStringLiteral("変更"))->isEnabled());
    EXPECT_FALSE(editor.button(QStringLiteral("削除"))->isEnabled());
    store.blocks.Add(Block{"OK", "A,B,C,A,", 5, 0, 0});
    store.blocks.Add(Block{"HOLE", "A,B,GONE,C,A,", 6, 0, 0});
    EXPECT_TRUE(editor.button(QStringLiteral("変更"))->isEnabled());
    EXPECT_TRUE(editor.button(QStringLiteral("削除"))->isEnabled());

    editor.loadParcel(1);
    EXPECT_FALSE(editor.missingPointsLine()->isHidden());
    EXPECT_EQ(editor.missingPointsLine()->text(), QStringLiteral("※ 座標リストにない点: GONE（前の点の座標で計算）"));
    editor.loadParcel(0);
    EXPECT_TRUE(editor.missingPointsLine()->isHidden());

    editor.clearParcel();
    EXPECT_EQ(editor.chosenParcel(), 0);
    editor.parcelList()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    editor.nameField()->setFocus();
    QSignalSpy chosen(&editor, &ParcelEditor::chosenParcelChanged);
    editor.parcelList()->setFocus();
    EXPECT_EQ(editor.chosenParcel(), 1);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 1);
}

// The grid's context menu offers 挿入 and 削除 with the keys that run them; the menu entries and the keys
// are the same actions, so each route edits the cursor row and redraws the ring.
TEST_F(ParcelEditorTest, ContextMenuInsertsAndDeletesRows) {
    QTableWidget* grid = editor.grid();
    grid->setFocus();
    for (const char* point : {"A", "B", "C", "A"}) {
        enterName(point);
    }
    QStringList entries;
    auto rightClickAndChoose = [&](const QString& caption) {
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                entries << action->text() + u'\t' + action->shortcut().toString();
                if (action->text() == caption) {
                    menu->setActiveAction(action);
                }
            }
            menu->grab().save(QStringLiteral("/tmp/parcel-grid-menu.png")); // for a look
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint at = grid->visualItemRect(grid->item(1, 0)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
    };
    int redraws = 0;
    QObject::connect(&editor, &ParcelEditor::ringChanged, [&] { ++redraws; });
    grid->setCurrentCell(1, 0);
    rightClickAndChoose(QStringLiteral("挿入"));
    EXPECT_EQ(entries, (QStringList{QStringLiteral("挿入\tCtrl+Ins"), QStringLiteral("削除\tCtrl+Del")}));
    EXPECT_EQ(editor.rows(), (Rows{"A", "", "B", "C", "A", ""}));
    grid->setCurrentCell(3, 0);
    rightClickAndChoose(QStringLiteral("削除"));
    EXPECT_EQ(editor.rows(), (Rows{"A", "", "B", "A", ""}));
    EXPECT_EQ(redraws, 2);

    // The same two commands from the keyboard.
    QApplication::setActiveWindow(&editor);
    grid->setFocus();
    grid->setCurrentCell(1, 0);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(editor.rows(), (Rows{"A", "B", "A", ""}));
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(editor.rows(), (Rows{"A", "", "B", "A", ""}));
    EXPECT_EQ(redraws, 4);
}

// Two registered parcels in the list and a third being typed, saved for a look.
TEST_F(ParcelEditorTest, Screenshot) {
    for (const char* name : {"画地1", "画地2"}) {
        editor.nameField()->setText(QString::fromUtf8(name));
        editor.grid()->setFocus();
        for (const char* point : {"A", "B", "C", "D", "A"}) {
            enterName(point);
        }
        key(Qt::Key_Return, Qt::ControlModifier);
    }
    editor.nameField()->setText(QStringLiteral("画地3"));
    editor.grid()->setFocus();
    enterName("T5");
    enterName("+T8");
    ASSERT_EQ(store.blocks.Count(), 2);
    EXPECT_TRUE(editor.grab().save(QStringLiteral("/tmp/parcel-editor.png")));
}

} // namespace
} // namespace vemo
