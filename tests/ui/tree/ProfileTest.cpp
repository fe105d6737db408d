#include "TreeHarness.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

TEST(ProfileTest, NewSiteFolderTakesItsNameFromTheFirstLineOrATimeStamp) {
    TreeHarness h;
    int caret = -1;
    QString caption;
    QString hint;
    HeaderEditor::queueResponder([&](HeaderEditor& editor) {
        caret = editor.caret();
        caption = editor.windowTitle();
        hint = editor.hintLabel()->isHidden() ? QString() : editor.hintLabel()->text();
        editor.textArea()->insertPlainText(QStringLiteral("桜台"));
        return true;
    });
    h.commands.folders().newCase();
    EXPECT_EQ(caption, QStringLiteral("新規現場"));
    // The editor says which line names the folder.
    EXPECT_EQ(hint, QStringLiteral("1行目「口座名」に入れた名前が、現場フォルダの名前になります（空のときは日時）"));
    EXPECT_EQ(caret, 5); // just after "口座名\t｜"
    const std::string profile = ReadBytes((h.DatDir() / "桜台" / "Case.Pro").string());
    EXPECT_EQ(profile.substr(0, profile.find("\r\n")), Cp("口座名\t｜桜台"));
    EXPECT_EQ(std::count(profile.begin(), profile.end(), '\n'), 8);
    EXPECT_EQ(h.store.names.CaseName, Cp("桜台"));
    EXPECT_EQ(h.host.caption, QStringLiteral("桜台 [Vemo]"));
    EXPECT_EQ(h.tree.selectedItem(), FindNode(h.tree, "桜台"));

    HeaderEditor::queueResponder([](HeaderEditor&) { return true; }); // OK with nothing typed
    h.commands.folders().newCase();
    const std::string stamp = h.store.names.CaseName;
    ASSERT_EQ(stamp.size(), 14u);
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(h.DatDir() / stamp));
    EXPECT_EQ(h.tree.view()->topLevelItemCount(), 2);
}

TEST(ProfileTest, ProfileIsRewrittenOnlyWhenChanged) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    const fs::path file = h.DatDir() / "東町" / "基準点" / "Xyz.Pro";
    // Written by another program with bare LF line ends: left exactly as it is unless edited.
    WriteBytes(file.string(), Cp("項目１\t｜基準点\n項目２\t｜\n"));
    h.tree.select(FindNode(h.tree, "東町/基準点"));
    QString caption;
    HeaderEditor::queueResponder([&caption](HeaderEditor& editor) {
        caption = editor.windowTitle();
        return true;
    });
    h.commands.folders().editProfile();
    EXPECT_EQ(caption, QStringLiteral("Edit Profile [ 基準点 ]"));
    EXPECT_EQ(ReadBytes(file.string()), Cp("項目１\t｜基準点\n項目２\t｜\n"));

    HeaderEditor::queueResponder([](HeaderEditor& editor) {
        editor.textArea()->moveCursor(QTextCursor::End);
        editor.textArea()->insertPlainText(QStringLiteral("追記"));
        return false; // ｷｬﾝｾﾙ
    });
    h.commands.folders().editProfile();
    EXPECT_EQ(ReadBytes(file.string()), Cp("項目１\t｜基準点\n項目２\t｜\n"));

    HeaderEditor::queueResponder([](HeaderEditor& editor) {
        editor.textArea()->moveCursor(QTextCursor::End);
        editor.textArea()->insertPlainText(QStringLiteral("追記"));
        return true;
    });
    h.commands.folders().editProfile();
    EXPECT_EQ(ReadBytes(file.string()), Cp("項目１\t｜基準点\r\n項目２\t｜\r\n追記\r\n"));
    EXPECT_TRUE(Shown().isEmpty());
}

TEST(ProfileTest, MissingProfileIsReported) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    h.tree.select(FindNode(h.tree, "西町"));
    h.commands.folders().editProfile();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("Profile File が見つかりません")});
    EXPECT_EQ(HeaderEditor::pendingResponders(), 0);
}

TEST(HeaderEditorTest, ViewerModeAndButtons) {
    HeaderEditor editor;
    EXPECT_EQ(editor.cancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(editor.printButton()->text(), QStringLiteral("印刷"));
    editor.setText(QStringLiteral("画地  地積\nA     1200.00"));
    editor.setReadOnly(true);
    editor.setCancelVisible(false);
    EXPECT_TRUE(editor.textArea()->isReadOnly());
    EXPECT_TRUE(editor.cancelButton()->isHidden());
    EXPECT_EQ(editor.text(), QStringLiteral("画地  地積\nA     1200.00"));
    editor.prepareForEditing(QStringLiteral("新規現場"));
    EXPECT_FALSE(editor.textArea()->isReadOnly());
    EXPECT_FALSE(editor.cancelButton()->isHidden());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("新規現場"));
}

// A Tab on the name line moves on instead of becoming part of the folder name; further down it is text.
TEST(HeaderEditorTest, TabOnTheNameLineMovesTheFocus) {
    HeaderEditor editor;
    editor.prepareForEditing(QStringLiteral("新規現場"));
    editor.setText(QStringLiteral("現場名｜東町\n依頼人｜"));
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    editor.setCaret(6); // after 東町
    QTest::keyClick(editor.textArea(), Qt::Key_Tab);
    EXPECT_EQ(editor.text(), QStringLiteral("現場名｜東町\n依頼人｜"));
    EXPECT_FALSE(editor.textArea()->hasFocus());
    editor.setCaret(11); // end of the second line
    QTest::keyClick(editor.textArea(), Qt::Key_Tab);
    EXPECT_EQ(editor.text(), QStringLiteral("現場名｜東町\n依頼人｜\t"));
}

// The print button's output: the whole text, as a job named after the parcel area list.
TEST(HeaderEditorTest, PrintsTheWholeTextUnderTheAreaListTitle) {
    TempDir dir;
    HeaderEditor editor;
    editor.setText(QStringLiteral("画地  地積\nA     1200.00\nB      300.25"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("list.pdf")));
    editor.printTo(printer);
    EXPECT_EQ(printer.docName(), QStringLiteral("画地面積一覧表"));
    const std::string pdf = ReadBytes(dir.File("list.pdf"));
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const std::string command = "pdftotext " + dir.File("list.pdf") + " " + dir.File("list.txt");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QString text = QString::fromUtf8(ReadBytes(dir.File("list.txt")));
    EXPECT_TRUE(text.contains(QStringLiteral("画地"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("300.25"))) << text.toStdString();
}

TEST(FileDialogTest, FiltersAndDefaultExtension) {
    EXPECT_EQ(FileDialog::qtFilter(QStringLiteral("日調連 files (*.Txt)|*.Txt|その他 (*.*)|*.*")),
              QStringLiteral("日調連 files (*.Txt);;その他 (*.*)"));
    EXPECT_EQ(FileDialog::withDefaultExtension(QStringLiteral("/d/現場"), QStringLiteral("SIM")),
              QStringLiteral("/d/現場.SIM"));
    EXPECT_EQ(FileDialog::withDefaultExtension(QStringLiteral("/d/a.sim"), QStringLiteral("SIM")),
              QStringLiteral("/d/a.sim"));
    EXPECT_EQ(FileDialog::withDefaultExtension(QString(), QStringLiteral("SIM")), QString());
}

TEST(ExchangeCommandTest, SimaSaveAsksForTheFileAndWritesPointsAndParcels) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
    h.commands.open();
    const fs::path out = h.dir->Path() / "出力";
    FileDialog::clearRecord();
    FileDialog::setNextFileName(QString::fromStdString(out.string()));
    h.commands.exchange().save(FileKind::Sima);
    ASSERT_TRUE(FileDialog::lastRequest().has_value());
    EXPECT_EQ(FileDialog::lastRequest()->title, QStringLiteral("SIMA Format File"));
    const std::string text = ReadBytes(out.string() + ".SIM");
    EXPECT_EQ(text.substr(0, text.find("\r\n")), Cp("G00,01,SIMA 東町,"));
    EXPECT_NE(text.find("A01,    4,K-4         ,   1000.000000,   2040.000000,      0.000000,\r\n"), std::string::npos);
    EXPECT_NE(text.find("D00,    1,A,1,\r\nB01,    1,T1          ,\r\n"), std::string::npos);
    // The status bar says what was written and where: the whole path, as the file may lie anywhere.
    EXPECT_EQ(h.host.status, QStringLiteral("SIMA ファイル（4 点，1 画地）を書き出しました: ") +
                                 QString::fromStdString(out.string()) + QStringLiteral(".SIM"));

    // 日調連 never carries parcels; a cancelled dialog writes nothing.
    FileDialog::setNextFileName(QString::fromStdString((h.dir->Path() / "n").string()));
    h.commands.exchange().save(FileKind::Nichoren);
    const std::string n = ReadBytes((h.dir->Path() / "n.Txt").string());
    EXPECT_EQ(n.substr(0, n.find("\r\n")), "    1,T1             ,    1000.000000,    2000.000000,      10.500000");
    EXPECT_EQ(h.host.status, QStringLiteral("日調連ファイル（4 点）を書き出しました: ") +
                                 QString::fromStdString((h.dir->Path() / "n.Txt").string()));
    FileDialog::setNextFileName(QString());
    h.commands.exchange().save(FileKind::Nichoren);
    EXPECT_TRUE(Shown().isEmpty());
}

} // namespace
} // namespace vemo::test
