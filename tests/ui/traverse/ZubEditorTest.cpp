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

// Only the direct observations become rows; a station's instrument height goes to its first sight.
TEST_F(ZubEditor, TransferFillsTheTraverseTable) {
    TrvsWindow& w = OpenFieldBook();
    w.Action(C::ZubTransfer)->trigger();
    ASSERT_EQ(w.CurrentMode(), TrvsWindow::Mode::Traverse);
    EXPECT_EQ(w.windowTitle(), "トラバース計算 *"); // not saved in a traverse file yet
    EXPECT_EQ(Cp932ToUtf8(w.Header().T0No), "T1");
    ASSERT_EQ(w.Table().ObservationRows(), 3);
    const struct {
        const char *target, *h, *v, *slope, *ih, *th;
    } rows[] = {{"T2", "90.0530", "89.5930", "123.456", "1.500", "1.600"},
                {"T3", "180.1000", "90.0010", "98.765", "", "1.600"},
                {"T4", "200.3000", "90.0000", "80.000", "1.450", "1.600"}};
    for (int r = 1; r <= 3; ++r) {
        const auto& e = rows[r - 1];
        EXPECT_EQ(Cell(r, kTrvColTm), "K") << r;
        EXPECT_EQ(Cell(r, kTrvColTarget), e.target) << r;
        EXPECT_EQ(Cell(r, kTrvColHAngle), e.h) << r;
        EXPECT_EQ(Cell(r, kTrvColVAngle), e.v) << r;
        EXPECT_EQ(Cell(r, kTrvColSlope), e.slope) << r;
        EXPECT_EQ(Cell(r, kTrvColInstH), e.ih) << r;
        EXPECT_EQ(Cell(r, kTrvColTargetH), e.th) << r;
    }
    EXPECT_EQ(w.Grid()->rowCount(), 3);
}

// A damaged field book names its line and leaves the records on screen; receiving is offered only
// with a serial receiver.
TEST_F(ZubEditor, DamagedFileKeepsTheRecordsShown) {
    TrvsWindow& w = OpenFieldBook();
    std::string bytes = ReadBytes(DataFile("zub/field.ZUB"));
    const size_t pos = bytes.find("r1002");
    bytes[pos + 4] = '3'; // the check character no longer fits
    const std::string bad = home.File("bad.ZUB");
    WriteBytes(bad, bytes);
    FileDialog::setNextFileName(QString::fromStdString(bad));
    w.Action(C::ZubOpen)->trigger();
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    const QString& text = MessageBox::shownTexts().front();
    EXPECT_TRUE(text.contains("bad.ZUB") && text.endsWith("ZUBファイルの 8 行目: チェックサムが合いません"))
        << text.toStdString();
    EXPECT_EQ(w.ZubEditor()->Grid()->rowCount(), 11);
    EXPECT_TRUE(w.windowTitle().endsWith("field.ZUB"));

    EXPECT_FALSE(w.Action(C::ZubReceive)->isEnabled());
    w.SetZubReceiver([](const std::string&) { return false; });
    EXPECT_TRUE(w.Action(C::ZubReceive)->isEnabled());
}

} // namespace
} // namespace vemo::test
