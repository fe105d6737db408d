// The ZUB Editor: a field book read, explained record by record, saved back unchanged, and its direct
// observations carried into the traverse table.
#include "TrvsWindowFixture.h"

#include "core/zub/ZubFile.h"
#include "ui/traverse/ZubEditorPanel.h"
#include "ui/tree/FileDialog.h"

#include <QAction>
#include <QHeaderView>
#include <QTableWidget>

#include <filesystem>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

class ZubEditor : public TrvsWindowFixture {
protected:
    // The window opened in its ZUB Editor mode with the sample field book:
    // A, B, C, D (T1, 1.500), E, F r T2, F l T2, F r T3, D (T2, 1.450), F r T4, Z.
    TrvsWindow& OpenFieldBook() {
        TrvsWindow& w = Open("[Trvs]\r\nZUB=1\r\n");
        FileDialog::setNextFileName(QString::fromStdString(DataFile("zub/field.ZUB")));
        w.Action(C::ZubOpen)->trigger();
        return w;
    }
    QString Header(int col) const { return window->ZubEditor()->Grid()->horizontalHeaderItem(col)->text(); }
};

// Column headers and status texts follow the record under the cursor.
TEST_F(ZubEditor, HeadersAndStatusFollowTheRecord) {
    TrvsWindow& w = OpenFieldBook();
    ASSERT_EQ(w.CurrentMode(), TrvsWindow::Mode::ZubEditor);
    EXPECT_TRUE(w.windowTitle().startsWith("ZUB Editor - "));
    QTableWidget* grid = w.ZubEditor()->Grid();
    ASSERT_EQ(grid->rowCount(), 11);
    const struct {
        int row, col;
        const char* header;
        const char* status;
    } cells[] = {
        {0, 1, "Ver.  ", "出力バージョンナンバー"},
        {1, 4, "観測者", "観測者：山田"},
        {2, 1, "天候  ", "天候：1=晴れ 2=曇り 3=雨 4=雪"},
        {5, 4, "観測", "観測番号：正,反観測: 正観測=r 反観測=l(1桁)  対回数:1～9(1桁) 方向番号:001～999(3桁)"},
        {5, 0, "", "グループ５"},
        {10, 2, "", ""},
    };
    for (const auto& c : cells) {
        grid->setCurrentCell(c.row, c.col);
        EXPECT_EQ(Header(c.col), c.header) << c.row << "," << c.col;
        EXPECT_EQ(w.ZubEditor()->Status(), c.status) << c.row << "," << c.col;
    }
    grid->setCurrentCell(5, 5);
    w.grab().save("/tmp/zub-editor.png");
}

// Saved without changes the file comes back byte for byte, check characters included, into the
// file chosen even in a folder with a Japanese name.
TEST_F(ZubEditor, SavedFieldBookIsUnchanged) {
    TrvsWindow& w = OpenFieldBook();
    std::filesystem::create_directory(home.Path() / "現場");
    const std::string path = home.File("現場/copy.ZUB");
    FileDialog::setNextFileName(QString::fromStdString(path));
    w.Action(C::ZubSaveAs)->trigger();
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("zub/field.ZUB")));
    EXPECT_EQ(w.windowTitle(), "ZUB Editor - " + QString::fromStdString(path));
}

// Every setup's direct observations go in from its own station and backsight, the start point and its
// backsight with their coordinates; the record the transfer cannot use is named.  (The figures of the
// two-setup book are worked out in the core transfer test.)
TEST_F(ZubEditor, TransferFillsTheTraverseTableSetupBySetup) {
    TrvsWindow& w = Open("[Trvs]\r\nZUB=1\r\n");
    AddPoint("T1", "-12345.678", "34567.890");
    AddPoint("T0", "-12245.678", "34567.890");
    FileDialog::setNextFileName(QString::fromStdString(DataFile("zub/corrected.ZUB")));
    w.Action(C::ZubOpen)->trigger();
    MessageBox::ClearShownTexts();
    w.Action(C::ZubTransfer)->trigger();
    ASSERT_EQ(w.CurrentMode(), TrvsWindow::Mode::Traverse);
    EXPECT_EQ(w.windowTitle(), "トラバース計算 *"); // not saved in a traverse file yet
    EXPECT_EQ(Cp932ToUtf8(w.Header().T0No), "T1");
    EXPECT_EQ(Cp932ToUtf8(w.Header().T1No), "T0");
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList{"転記しなかったもの・確かめてほしいもの:\n"
                          "転記: 正反の平均と対回の平均から 1 方向 1 行にしました（正観測のみの転記も選べます）\n"
                          "ZUBの 9 行目: G レコードは観測でないので取り込みません"});
    ASSERT_EQ(w.Table().ObservationRows(), 4);
    const struct {
        const char *inst, *back, *target, *h, *ih;
    } rows[] = {{"T1", "T0", "T0", "0.0000", "1.500"},
                {"T1", "T0", "T2", "90.0000", ""},
                {"T2", "T1", "T1", "0.0000", "1.450"},
                {"T2", "T1", "T3", "90.0000", ""}};
    for (int r = 1; r <= 4; ++r) {
        const auto& e = rows[r - 1];
        EXPECT_EQ(Cell(r, kTrvColTm), "K") << r;
        EXPECT_EQ(Cell(r, kTrvColInst), e.inst) << r;
        EXPECT_EQ(Cell(r, kTrvColBack), e.back) << r;
        EXPECT_EQ(Cell(r, kTrvColTarget), e.target) << r;
        EXPECT_EQ(Cell(r, kTrvColHAngle), e.h) << r;
        EXPECT_EQ(Cell(r, kTrvColInstH), e.ih) << r;
    }
}

// A field book corrected by hand opens: its line with the old check character is tinted and explained,
// the surveyor is told, and saving writes a fresh check character.
TEST_F(ZubEditor, HandCorrectedLineIsMarkedAndSavedWithAFreshCheckCharacter) {
    TrvsWindow& w = OpenFieldBook();
    // A copy: 上書き保存 writes the open file in place.
    const std::string path = home.File("corrected.ZUB");
    WriteBytes(path, ReadBytes(DataFile("zub/corrected.ZUB")));
    FileDialog::setNextFileName(QString::fromStdString(path));
    MessageBox::ClearShownTexts();
    w.Action(C::ZubOpen)->trigger();
    EXPECT_EQ(
        MessageBox::ShownTexts(),
        QStringList{"チェック文字が合わない行が 1 行あります（赤い行）。保存すると新しいチェック文字を書きます。"});
    ZubEditorPanel* zub = w.ZubEditor();
    QTableWidget* grid = zub->Grid();
    ASSERT_EQ(grid->rowCount(), 13);
    EXPECT_EQ(grid->item(1, 1)->text(), "境界 確認");
    for (int row = 0; row < 13; ++row) {
        EXPECT_EQ(zub->CheckWrong(row), row == 11) << row;
    }
    EXPECT_NE(grid->item(11, 5)->background().color(), grid->item(10, 5)->background().color());
    grid->setCurrentCell(11, 7);
    EXPECT_EQ(zub->Status(),
              "チェック文字が合わない行（手で直された行）: 保存すると新しいチェック文字を書きます　斜距離観測値");
    grid->setCurrentCell(10, 7);
    EXPECT_EQ(zub->Status(), "斜距離観測値");
    grid->setCurrentCell(11, 7);
    w.grab().save("/tmp/zub-editor-marked.png");
    w.Action(C::ZubSave)->trigger();
    std::string expected = ReadBytes(DataFile("zub/corrected.ZUB"));
    expected.replace(expected.find("100.000,,,,0,>,"), 15, "100.000,,,,0,<,");
    EXPECT_EQ(ReadBytes(path), expected);
}

// A book cut short, or longer than the table, opens with a warning; a file that is no field book names
// its line and leaves the records on screen; receiving is offered only with a serial receiver.
TEST_F(ZubEditor, ShortOrDamagedFilesAreToldAbout) {
    TrvsWindow& w = OpenFieldBook();
    std::string bytes = ReadBytes(DataFile("zub/field.ZUB"));
    const std::string cut = home.File("cut.ZUB");
    WriteBytes(cut, bytes.substr(0, bytes.find("Z,&,")));
    FileDialog::setNextFileName(QString::fromStdString(cut));
    w.Action(C::ZubOpen)->trigger();
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList{"エンド・ブロック(Z)で終わっていません。途中で切れた野帳かもしれません。"});
    EXPECT_EQ(w.ZubEditor()->Grid()->rowCount(), 10);

    std::string many = "A,01,Z,\r\n";
    for (int i = 0; i < kZubMaxDirectObservations + 1; ++i) {
        many += "F,P,,,r1001,,,,,,,,:,\r\n";
    }
    WriteBytes(home.File("many.ZUB"), many + "Z,&,\r\n");
    MessageBox::ClearShownTexts();
    FileDialog::setNextFileName(QString::fromStdString(home.File("many.ZUB")));
    w.Action(C::ZubOpen)->trigger();
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList{"正観測が 1998 件あります。トラバー計算表へは初めの 1997 件を転記します。"});

    bytes.replace(bytes.find("E,0,-,"), 6, "E,0-"); // no longer framed
    const std::string bad = home.File("bad.ZUB");
    WriteBytes(bad, bytes);
    MessageBox::ClearShownTexts();
    FileDialog::setNextFileName(QString::fromStdString(bad));
    w.Action(C::ZubOpen)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    const QString& text = MessageBox::ShownTexts().front();
    EXPECT_TRUE(text.contains("bad.ZUB") &&
                text.endsWith("ZUBファイルの 5 行目: レコードの区切り（項目ごとのカンマとチェック文字）が読めません"))
        << text.toStdString();
    EXPECT_EQ(w.ZubEditor()->Grid()->rowCount(), kZubMaxDirectObservations + 3);
    EXPECT_TRUE(w.windowTitle().endsWith("many.ZUB"));

    EXPECT_FALSE(w.Action(C::ZubReceive)->isEnabled());
    w.SetZubReceiver([](const std::string&) { return false; });
    EXPECT_TRUE(w.Action(C::ZubReceive)->isEnabled());
}

} // namespace
} // namespace vemo::test
