// The class of a traverse in the traverse window: kept beside the ".Trv" (never in it), judged in the
// precision panel and the listing with the located blunder, and asked about before a failing traverse
// is registered.
#include "TrvsWindowFixture.h"

#include "core/traverse/SurveyClassFile.h"
#include "core/zub/ZubChecksum.h"
#include "support/WhenShown.h"
#include "ui/common/Cp932Text.h"
#include "ui/traverse/PrecisionBox.h"
#include "ui/traverse/PrecisionSheetDialog.h"
#include "ui/traverse/SurveyClassBox.h"
#include "ui/traverse/ZubEditorPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

// The 精度管理表 the window prints, as pdftotext reads it back from the PDF.
std::string PrintedPrecisionSheet(TrvsWindow& w, const TempDir& home) {
    w.PrintPrecisionSheetToPdf(QString::fromStdString(home.File("sheet.pdf")));
    if (std::system(
            ("pdftotext -layout -enc UTF-8 " + home.File("sheet.pdf") + " " + home.File("sheet.txt")).c_str()) != 0) {
        ADD_FAILURE() << "pdftotext could not read the 精度管理表";
        return {};
    }
    return ReadBytes(home.File("sheet.txt"));
}

// The closed rectangle T0 … T9 of 100 m legs whose T3 angle was typed 90°10′ (see the command-line
// test): 523-524 mm of closure against the 158 mm of a 4級 unit polygon.
std::string RectangleTrv() {
    std::string t = "0\r\n26/12/10\r\n\r\nT0,-35000.000,12000.000,0.000\r\nT9,1,0.0000\r\n,0.000,0.000,0.000\r\n"
                    ",0,0.0000\r\n";
    const char* angles[10] = {"90.0000", "180.0000", "180.0000", "90.1000", "180.0000",
                              "90.0000", "180.0000", "180.0000", "90.0000", "180.0000"};
    for (int k = 0; k < 10; ++k) {
        t += std::to_string(k + 1) + ",T,,,T" + std::to_string((k + 1) % 10) + "," + angles[k] + ",90.0000,100.000\r\n";
    }
    return t;
}

TEST_F(TrvsWindowFixture, ClassIsKeptBesideTheFileJudgedAndGuardsRegistration) {
    TrvsWindow& w = Open();
    const std::string path = home.File("rect.Trv");
    WriteBytes(path, RectangleTrv());
    WriteBytes(home.File("rect.Class.ini"), "[Precision]\r\nClass=4\r\n");
    w.OpenTrvFile(path);
    EXPECT_EQ(w.ClassBox()->combo()->currentText(), "4級基準点測量");

    QStringList lines;
    WhenShown<PrecisionBox>([&lines](PrecisionBox* box) {
        lines = box->Lines();
        box->accept();
    });
    w.Action(C::Precision)->trigger();
    const QString shown = lines.join('\n');
    EXPECT_TRUE(shown.contains("精度の判定  4級基準点測量")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("制限           158 mm   不適")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("判定  不適")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("測点 T3 の夾角に約 +10′ の誤りがある可能性があります")) << shown.toStdString();

    // Registering asks first, naming what fails; told no, nothing is registered.
    const int rows = workspace->store().xyz.RowCount();
    MessageBox::ClearShownTexts();
    MessageBox::SetNextAnswer(QMessageBox::No);
    w.Action(C::Register)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    const QString question = MessageBox::ShownTexts()[0];
    EXPECT_TRUE(question.contains("4級基準点測量 の制限を満たしていません")) << question.toStdString();
    EXPECT_TRUE(question.contains("位置の閉合差")) << question.toStdString();
    EXPECT_TRUE(question.contains("測点 T3 の夾角")) << question.toStdString();
    EXPECT_EQ(workspace->store().xyz.RowCount(), rows);

    // 乙三 tolerates 3 m: the traverse passes and registers without a question.
    w.ClassBox()->combo()->setCurrentText("精度区分 乙三");
    EXPECT_EQ(ReadSurveyClass(path), *ParseSurveyClass("乙三")) << "kept beside the file at once";
    MessageBox::ClearShownTexts();
    w.Action(C::Register)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("点を登録しました")) << MessageBox::ShownTexts()[0].toStdString();

    // The listing ends with the judgement; the traverse file itself is what other programs read.
    w.Action(C::ResultListing)->trigger();
    EXPECT_TRUE(w.ListingPanel()->toPlainText().contains("精度の判定  精度区分 乙三"));
    w.SaveTrvFile(path);
    EXPECT_EQ(ReadBytes(path), RectangleTrv());

    // A new traverse has no class; a traverse never given one gets no file beside it.
    w.Action(C::New)->trigger();
    EXPECT_EQ(w.ClassBox()->surveyClass(), SurveyClass{});
    const std::string other = home.File("other.Trv");
    w.SaveTrvFile(other);
    EXPECT_FALSE(std::filesystem::exists(SurveyClassPath(other)));
}

std::string ZubLine(const std::string& body) {
    return body + ZubChecksum(body) + ",\r\n";
}

// Station C of this book turns 50″ of 倍角差 (the core test works the figures out by hand).
std::string TwoSetBook() {
    std::string book = ZubLine("A,01,") + ZubLine("D,A,,1.450,0,2200002,,,");
    for (const char* f :
         {"B,,1.5,r1001,0.0010,88.3020,52.345,,,,0,", "C,,1.5,r1002,75.2040,91.1000,60.120,,,,0,",
          "C,,1.5,l1002,255.2050,268.5020,60.121,,,,0,", "B,,1.5,l1001,180.0010,271.2950,52.346,,,,0,",
          "B,,1.5,r2001,90.0020,88.3025,52.347,,,,0,", "C,,1.5,r2002,165.2045,91.1005,60.119,,,,0,",
          "C,,1.5,l2002,345.2055,268.5010,60.120,,,,0,", "B,,1.5,l2001,270.0015,271.2940,52.346,,,,0,"}) {
        book += ZubLine(std::string("F,") + f);
    }
    book += ZubLine("D,C,,1.400,0,2200002,,,");
    for (const char* f : {"A,,1.5,r1001,0.0000,89.0000,,,,,0,", "D,,1.5,r1002,120.1030,92.0000,80.012,,,,0,",
                          "D,,1.5,l1002,300.1050,268.0030,80.014,,,,0,", "A,,1.5,l1001,180.0010,271.0010,,,,,0,",
                          "A,,1.5,r2001,90.0010,89.0005,,,,,0,", "D,,1.5,r2002,210.1120,92.0005,80.020,,,,0,",
                          "D,,1.5,l2002,30.1100,268.0025,80.020,,,,0,", "A,,1.5,l2001,270.0010,271.0005,,,,,0,"}) {
        book += ZubLine(std::string("F,") + f);
    }
    return book + ZubLine("Z,");
}

// The field book's check table in the ZUB Editor by the class of the traverse, and the 精度管理表 of
// both read back from its PDF.
TEST_F(TrvsWindowFixture, FieldBookChecksAndPrecisionSheet) {
    TrvsWindow& w = Open();
    const std::string path = home.File("rect.Trv");
    WriteBytes(path, RectangleTrv());
    WriteBytes(home.File("rect.Class.ini"), Jp("[Precision]\r\nClass=3\r\n[Sheet]\r\nWork=矩形の基準点測量\r\n"
                                               "Contractor=測量設計事務所\r\n"));
    w.OpenTrvFile(path);
    WriteBytes(home.File("book.ZUB"), TwoSetBook());
    w.Action(C::ToZub)->trigger();
    w.ZubEditor()->LoadFile(home.File("book.ZUB"));

    QStringList lines;
    WhenShown<PrecisionBox>([&lines](PrecisionBox* box) {
        lines = box->Lines();
        lines.prepend(box->windowTitle());
        box->accept();
    });
    w.Action(C::ZubCheck)->trigger();
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], "観測の点検 - 3級基準点測量");
    EXPECT_TRUE(lines[3].startsWith("A ")) << lines[3].toStdString();
    EXPECT_FALSE(lines[3].contains('*')) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].contains("50 *")) << lines[4].toStdString();
    EXPECT_EQ(lines.back(), "観測の制限を超えた測点: C");

    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const std::string text = PrintedPrecisionSheet(w, home);
    for (const char* part : {"精 度 管 理 表", "矩形の基準点測量", "測量設計事務所", "3級基準点測量", "路線 1 T0 - T0",
                             "不適", "観測の制限を超えた測点: C"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }

    // The transfer of the book says which reduction it took and which stations fail the class.
    MessageBox::ClearShownTexts();
    w.Action(C::ZubTransfer)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 2);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("転記: 正反の平均")) << MessageBox::ShownTexts()[0].toStdString();
    EXPECT_EQ(MessageBox::ShownTexts()[1], "観測の制限を超えた測点: C");
}

// The readings behind a figure over the class's limit are marked in the editor's own cells: in the
// book above only station C fails 3級, by 倍角差 and 観測差 at its sightings of D (rows 12, 13, 16 and
// 17 of the grid); 4級 lets it pass and the marks go.
TEST_F(TrvsWindowFixture, ZubEditorMarksTheReadingsOverTheLimitInTheirCells) {
    TrvsWindow& w = Open();
    const std::string path = home.File("rect.Trv");
    WriteBytes(path, RectangleTrv());
    WriteBytes(home.File("rect.Class.ini"), "[Precision]\r\nClass=3\r\n");
    w.OpenTrvFile(path);
    WriteBytes(home.File("book.ZUB"), TwoSetBook());
    w.Action(C::ToZub)->trigger();
    w.ZubEditor()->LoadFile(home.File("book.ZUB"));
    QTableWidget* grid = w.ZubEditor()->Grid();
    ASSERT_EQ(grid->rowCount(), 20);

    const QColor plain = grid->item(11, kZubHAngle)->background().color();
    for (int row : {12, 13, 16, 17}) {
        const QTableWidgetItem* cell = grid->item(row, kZubHAngle);
        EXPECT_NE(cell->background().color(), plain) << row;
        EXPECT_EQ(cell->toolTip(), "倍角差 50″ (制限 30″)\n観測差 30″ (制限 20″)") << row;
        EXPECT_TRUE(grid->item(row, kZubVAngle)->toolTip().isEmpty()) << row;
    }
    // Station A, and C's sightings of its reference A, are within the limits.
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (row == 12 || row == 13 || row == 16 || row == 17) {
            continue;
        }
        for (int col = 0; col < kZubCells; ++col) {
            EXPECT_TRUE(grid->item(row, col)->toolTip().isEmpty()) << row << "," << col;
        }
    }

    // Mending the direct reading of D in set 2 (210°11′20″ -> 210°10′50″: 倍角差 20″, 観測差 0″)
    // clears the marks at once; putting it back brings them back.
    grid->item(16, kZubHAngle)->setText("210.1050");
    for (int row : {12, 13, 16, 17}) {
        EXPECT_TRUE(grid->item(row, kZubHAngle)->toolTip().isEmpty()) << row;
        EXPECT_EQ(grid->item(row, kZubHAngle)->background().color(), grid->item(row, 0)->background().color()) << row;
    }
    grid->item(16, kZubHAngle)->setText("210.1120");
    EXPECT_FALSE(grid->item(17, kZubHAngle)->toolTip().isEmpty());

    // A record inserted above station C moves its marks down one row; deleted, they move back.
    grid->setCurrentCell(10, 0);
    w.ZubEditor()->InsertRow();
    for (int row : {13, 14, 17, 18}) {
        EXPECT_FALSE(grid->item(row, kZubHAngle)->toolTip().isEmpty()) << row;
    }
    EXPECT_TRUE(grid->item(12, kZubHAngle)->toolTip().isEmpty());
    EXPECT_EQ(grid->item(12, kZubHAngle)->background().color(), grid->item(12, 0)->background().color());
    grid->setCurrentCell(10, 0);
    w.ZubEditor()->DeleteRow();
    for (int row : {12, 13, 16, 17}) {
        EXPECT_FALSE(grid->item(row, kZubHAngle)->toolTip().isEmpty()) << row;
    }
    EXPECT_TRUE(grid->item(18, kZubHAngle)->toolTip().isEmpty());

    // Judged by 4級 (60″, 40″) the book passes and nothing is marked.
    w.Action(C::ZubToTraverse)->trigger();
    w.ClassBox()->combo()->setCurrentText("4級基準点測量");
    w.Action(C::ToZub)->trigger();
    w.ZubEditor()->LoadFile(home.File("book.ZUB"));
    for (int row : {12, 13, 16, 17}) {
        EXPECT_TRUE(grid->item(row, kZubHAngle)->toolTip().isEmpty()) << row;
    }
}

// The heading of the 精度管理表 is typed in its dialog, Enter moving from field to field and at last
// pressing OK; it is kept beside the traverse (its class stays) and printed on the sheet.
TEST_F(TrvsWindowFixture, PrecisionSheetHeadingIsTypedKeptAndPrinted) {
    TrvsWindow& w = Open();
    const std::string path = home.File("rect.Trv");
    WriteBytes(path, RectangleTrv());
    WriteBytes(home.File("rect.Class.ini"), "[Precision]\r\nClass=3\r\n");
    w.OpenTrvFile(path);

    const QStringList typed = {"令和8年度 基準点測量",       "北区中央", "北区役所",           "測量設計事務所",
                               "令和8年12月1日から12月10日", "山田太郎", "2級TS 測距 2mm+2ppm"};
    int accepted = -1;
    WhenShown<PrecisionSheetDialog>([&typed, &accepted](PrecisionSheetDialog* dialog) {
        for (const QString& text : typed) {
            // The field the dialog's focus is on (the window need not be the active one).
            QWidget* focus = dialog->focusWidget();
            ASSERT_NE(qobject_cast<QLineEdit*>(focus), nullptr);
            // Japanese arrives from the input method as committed text.
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(focus, &commit);
            QTest::keyClick(focus, Qt::Key_Return);
        }
        ASSERT_NE(qobject_cast<QPushButton*>(dialog->focusWidget()), nullptr);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); // on OK
        accepted = dialog->result();
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    w.Action(C::PrecisionSheetHeading)->trigger();
    EXPECT_EQ(accepted, QDialog::Accepted);

    const PrecisionSheetInfo info = ReadPrecisionSheetInfo(path);
    EXPECT_EQ(FromCp932(info.work), typed[0]);
    EXPECT_EQ(FromCp932(info.area), typed[1]);
    EXPECT_EQ(FromCp932(info.client), typed[2]);
    EXPECT_EQ(FromCp932(info.contractor), typed[3]);
    EXPECT_EQ(FromCp932(info.period), typed[4]);
    EXPECT_EQ(FromCp932(info.chief), typed[5]);
    EXPECT_EQ(FromCp932(info.instruments), typed[6]);
    EXPECT_EQ(ReadSurveyClass(path), *ParseSurveyClass("3"));

    // Shown again, the dialog holds what was kept; cancelled, nothing changes.
    QString shownWork;
    WhenShown<PrecisionSheetDialog>([&shownWork](PrecisionSheetDialog* dialog) {
        shownWork = dialog->field(0)->text();
        dialog->field(0)->setText("別の作業");
        dialog->reject();
    });
    w.Action(C::PrecisionSheetHeading)->trigger();
    EXPECT_EQ(shownWork, typed[0]);
    EXPECT_EQ(FromCp932(ReadPrecisionSheetInfo(path).work), typed[0]);

    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const QString text = QString::fromUtf8(PrintedPrecisionSheet(w, home));
    for (const QString& value : typed) {
        EXPECT_TRUE(text.contains(value)) << value.toStdString() << "\n" << text.toStdString();
    }
}

// A character the heading file cannot hold is named with its field at OK, and the dialog stays open
// with everything typed; nothing is written.
TEST_F(TrvsWindowFixture, PrecisionSheetHeadingRefusesWhatShiftJisCannotHold) {
    TrvsWindow& w = Open();
    const std::string path = home.File("rect.Trv");
    WriteBytes(path, RectangleTrv());
    WriteBytes(home.File("rect.Class.ini"), "[Precision]\r\nClass=3\r\n");
    w.OpenTrvFile(path);
    bool stayedOpen = false;
    QString keptWork;
    MessageBox::ClearShownTexts();
    WhenShown<PrecisionSheetDialog>([&stayedOpen, &keptWork](PrecisionSheetDialog* dialog) {
        dialog->field(0)->setText("基準点測量");
        dialog->field(5)->setText(QString::fromUtf8("𠮷田"));
        dialog->accept();
        stayedOpen = dialog->isVisible() && dialog->focusWidget() == dialog->field(5);
        keptWork = dialog->field(0)->text();
        dialog->reject();
    });
    w.Action(C::PrecisionSheetHeading)->trigger();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(keptWork, "基準点測量");
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(MessageBox::ShownTexts()[0], "精度管理表の見出しの「主任技術者」に Shift-JIS で表せない文字があります");
    EXPECT_EQ(ReadBytes(home.File("rect.Class.ini")), "[Precision]\r\nClass=3\r\n");
}

// A traverse not yet saved has no file to keep the heading beside: the dialog is not offered.
TEST_F(TrvsWindowFixture, PrecisionSheetHeadingWaitsForTheTraverseFile) {
    TrvsWindow& w = Open();
    w.Header().TrvsType = kTrvsClosed;
    w.TraverseLoaded();
    ASSERT_TRUE(w.Action(C::PrecisionSheetHeading)->isEnabled());
    MessageBox::ClearShownTexts();
    w.Action(C::PrecisionSheetHeading)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("先にトラバースファイルを保存してください"))
        << MessageBox::ShownTexts()[0].toStdString();
}

} // namespace
} // namespace vemo::test
