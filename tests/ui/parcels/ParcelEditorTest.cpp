// The parcel editor driven by keys and mouse like a surveyor: typing rings, registering, the refusals,
// "+" runs, changing and deleting parcels.
#include "ui/parcels/ParcelEditor.h"

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "ui/common/MessageBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
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
        MessageBox::setCapture(true);
        MessageBox::clearShownTexts();
    }
    ~ParcelEditorTest() override { MessageBox::setCapture(false); }

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
        QStringList shown = MessageBox::shownTexts();
        MessageBox::clearShownTexts();
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
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("前点と重複"), QStringLiteral("№ ZZ は見つかりません")}));
    enterName("C");
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("画地が閉じていません")});
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
    MessageBox::setNextAnswer(QMessageBox::Cancel);
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
