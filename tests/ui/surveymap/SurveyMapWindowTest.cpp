// The survey map window: the preview follows every choice at once, says what it cannot draw, and the
// choices are kept beside the site's files.
#include "ui/surveymap/SurveyMapWindow.h"
#include "core/store/BlockList.h"
#include "core/store/Store.h"
#include "core/surveymap/SiteSurveyInfo.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/Workspace.h"
#include "ui/surveymap/SurveyMapPreview.h"
#include "ui/tree/FileDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace vemo::surveymap {
namespace {

bool HasText(const SurveyMapLayout& layout, MapLayer layer, const std::string& utf8) {
    for (const MapText& text : layout.texts) {
        if (text.layer == layer && Cp932ToUtf8(text.text) == utf8) {
            return true;
        }
    }
    return false;
}

TEST(SurveyMapWindow, PreviewFollowsTheChoices) {
    test::TempDir site;
    Workspace workspace;
    Store& store = workspace.store();
    store.xyz.ReplaceAll({{"", "A", "-35000.000", "-8000.000", "", Jp("鋲"), ""},
                          {"", "B", "-34990.000", "-8000.000", "", "", ""},
                          {"", "C", "-34990.000", "-7990.000", "", "", ""},
                          {"", "D", "-35000.000", "-7990.000", "", "", ""},
                          {"", "E", "-35000.000", "-7980.000", "", "", ""},
                          {"", "F", "-34990.000", "-7980.000", "", "", ""}});
    store.blocks.Add(Block{"7", "A,B,C,D,A", 5, 0, 0});
    store.blocks.Add(Block{"8", "D,C,F,E,D", 5, 0, 0});
    SiteSurveyInfo info;
    info.title.district = Jp("霞が関三丁目");
    info.ParcelEntry("7") = {"7", Jp("宅地"), ParcelRole::Subject};
    info.ParcelEntry("8") = {"8", Jp("山林"), ParcelRole::Adjacent};
    WriteSiteSurveyInfo(site.Path(), info);

    SurveyMapWindow window(workspace);
    window.open(site.Path(), 9);
    ASSERT_TRUE(window.currentMap().has_value()) << window.notes().toStdString();
    EXPECT_EQ(window.currentMap()->scale, 100);   // the largest that fits a 10 m lot
    EXPECT_EQ(window.currentMap()->widthMm, 257); // B4 portrait
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::Title, "霞が関三丁目"));
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::ParcelNumber, "山林"));

    window.findChild<QComboBox*>("scale")->setCurrentIndex(5);
    EXPECT_EQ(window.currentMap()->scale, 500);
    window.findChild<QComboBox*>("paper")->setCurrentIndex(2);
    EXPECT_EQ(window.currentMap()->widthMm, 210);
    EXPECT_NE(window.findChild<QComboBox*>("paper")->currentText().indexOf(QStringLiteral("下書き")), -1);
    QLineEdit* district = window.findChild<QLineEdit*>("地番区域");
    district->setText(QStringLiteral("大手町一丁目"));
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::Title, "大手町一丁目"));

    // No subject parcel: nothing to draw, and the window says why.
    auto* table = window.findChild<QTableWidget*>("parcels");
    qobject_cast<QComboBox*>(table->cellWidget(0, 1))->setCurrentIndex(0);
    EXPECT_FALSE(window.currentMap().has_value());
    EXPECT_EQ(window.notes(), QStringLiteral("地積測量図の対象となる画地（地番）を選んでください"));
    qobject_cast<QComboBox*>(table->cellWidget(1, 1))->setCurrentIndex(1);
    ASSERT_TRUE(window.currentMap().has_value());
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::Table, "求積表（座標法）  地番 8  地目 山林"));

    // A parcel added to the list shows in the table, keeping the choices made.
    store.blocks.Add(Block{"9", "A,B,F,A", 4, 0, 0});
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(qobject_cast<QComboBox*>(table->cellWidget(1, 1))->currentIndex(), 1);

    window.writePdf(QString::fromStdString(site.File("map.pdf")));
    EXPECT_EQ(test::ReadBytes(site.File("map.pdf")).substr(0, 5), "%PDF-");
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("保存")) {
            button->click();
        }
    }
    SiteSurveyInfo saved = ReadSiteSurveyInfo(site.Path());
    EXPECT_EQ(Cp932ToUtf8(saved.title.district), "大手町一丁目");
    EXPECT_EQ(saved.Parcel("8")->role, ParcelRole::Subject);
    EXPECT_EQ(saved.Parcel("7")->role, ParcelRole::None);
}

struct TwoParcels {
    test::TempDir site;
    Workspace workspace;

    TwoParcels() {
        workspace.store().xyz.ReplaceAll({{"", "A", "-35000.000", "-8000.000", "", Jp("鋲"), ""},
                                          {"", "B", "-34990.000", "-8000.000", "", "", ""},
                                          {"", "C", "-34990.000", "-7990.000", "", "", ""},
                                          {"", "D", "-35000.000", "-7990.000", "", "", ""}});
        workspace.store().blocks.Add(Block{"7", "A,B,C,D,A", 5, 0, 0});
        SiteSurveyInfo info;
        info.ParcelEntry("7") = {"7", "", ParcelRole::Subject};
        WriteSiteSurveyInfo(site.Path(), info);
    }
};

// 地目 comes from the register's list only, so a blank or a wrong character cannot get in.
TEST(SurveyMapWindow, CategoryIsChosenFromTheRegistersList) {
    TwoParcels data;
    SurveyMapWindow window(data.workspace);
    window.open(data.site.Path(), 9);
    auto* category = qobject_cast<QComboBox*>(window.findChild<QTableWidget*>("parcels")->cellWidget(0, 2));
    ASSERT_NE(category, nullptr);
    EXPECT_FALSE(category->isEditable());
    QStringList offered;
    for (int i = 0; i < category->count(); ++i) {
        offered << category->itemText(i);
    }
    EXPECT_EQ(
        offered.join(QLatin1Char(' ')),
        QStringLiteral(" 田 畑 宅地 学校用地 鉄道用地 塩田 鉱泉地 池沼 山林 牧場 原野 墓地 境内地 運河用地 水道用地 "
                       "用悪水路 ため池 堤 井溝 保安林 公衆用道路 公園 雑種地"));
    category->setCurrentText(QStringLiteral("山林"));
    ASSERT_TRUE(window.currentMap().has_value());
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::ParcelNumber, "山林"));
}

// Before a sheet goes out the window lists what the register would miss and asks; declined, nothing
// is written and no file is asked for.  Enter in a field goes on to the next field and prints nothing.
TEST(SurveyMapWindow, ListsMissingItemsBeforeOutputAndEnterMovesOn) {
    TwoParcels data;
    SurveyMapWindow window(data.workspace);
    window.open(data.site.Path(), 9);
    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("TIFF 出力...")) {
            button->click();
        }
    }
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    QString asked = MessageBox::ShownTexts().front();
    for (const char* item : {"地番 7 の地目が選ばれていません。", "地番区域の名称が入力されていません。",
                             "作成年月日が入力されていません。", "申請人が入力されていません。",
                             "基準点（測量の基礎とした点）がありません。"}) {
        EXPECT_NE(asked.indexOf(QString::fromUtf8(item)), -1) << item << "\n" << asked.toStdString();
    }
    MessageBox::ClearShownTexts();
    window.activateWindow();
    auto* district = window.findChild<QLineEdit*>("地番区域");
    district->setFocus();
    QTest::keyClick(district, Qt::Key_Return);
    EXPECT_EQ(window.focusWidget(), window.findChild<QLineEdit*>("測量年月日"));
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
    EXPECT_TRUE(window.isVisible());
    MessageBox::SetCapture(false);
}

// PDF and TIFF go out with a word in the main window's status line naming the drawing, the format and
// the file with its folder (the site folder is only proposed: the file may go anywhere).
TEST(SurveyMapWindow, OutputSaysWhatWentWhere) {
    TwoParcels data;
    QWidget main;
    QStringList said;
    SetStatusNoticeSink(&main, [&](const QString& text) { said << text; });
    SurveyMapWindow window(data.workspace, &main);
    window.open(data.site.Path(), 9);
    MessageBox::SetCapture(true);
    test::TempDir elsewhere;
    const QString pdf = QString::fromStdString(elsewhere.File("図面.pdf"));
    const QString tiff = QString::fromStdString(elsewhere.File("図面.tif"));
    for (const auto& [caption, path] :
         {std::pair{QStringLiteral("PDF出力..."), pdf}, std::pair{QStringLiteral("TIFF 出力..."), tiff}}) {
        MessageBox::SetNextAnswer(QMessageBox::Ok); // go on without the title items
        FileDialog::setNextFileName(path);
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                button->click();
            }
        }
    }
    MessageBox::SetCapture(false);
    EXPECT_EQ(test::ReadBytes(pdf.toStdString()).substr(0, 5), "%PDF-");
    EXPECT_EQ(said, (QStringList{QStringLiteral("地積測量図の PDF ファイルを書き出しました: ") + pdf,
                                 QStringLiteral("地積測量図の TIFF ファイルを書き出しました: ") + tiff}));
}

// Closing with entries not yet saved asks: Cancel keeps the window and its entries, Yes saves them to
// the site file and closes.  Nothing changed, it closes without a word.
TEST(SurveyMapWindow, ClosingWithUnsavedEntriesAsks) {
    TwoParcels data;
    SurveyMapWindow window(data.workspace);
    window.open(data.site.Path(), 9);
    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());

    window.open(data.site.Path(), 9);
    window.findChild<QLineEdit*>("申請人")->setText(QStringLiteral("申請 花子"));
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    window.close();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(MessageBox::ShownTexts().front(),
              QStringLiteral("地積測量図の入力（表題の欄、区分、地目）が保存されていません。保存しますか？"));
    EXPECT_EQ(ReadSiteSurveyInfo(data.site.Path()).title.applicant, "");

    MessageBox::SetNextAnswer(QMessageBox::Yes);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Cp932ToUtf8(ReadSiteSurveyInfo(data.site.Path()).title.applicant), "申請 花子");
    MessageBox::SetCapture(false);
}

// The table's column widths, as the header gives them.
std::vector<int> ColumnWidths(const QTableWidget* table) {
    std::vector<int> widths;
    for (int column = 0; column < table->columnCount(); ++column) {
        widths.push_back(table->horizontalHeader()->sectionSize(column));
    }
    return widths;
}

// Takes the table's column widths when the preview is first painted.
class AtFirstPaint : public QObject {
public:
    AtFirstPaint(QWidget* preview, const QTableWidget* table) : table_(table) { preview->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && widths.empty()) {
            widths = ColumnWidths(table_);
        }
        return QObject::eventFilter(watched, event);
    }
    std::vector<int> widths;

private:
    const QTableWidget* table_;
};

// The table's columns stand where they are when the window opens: the preview's first drawing and the
// events after it, the notes shrinking as title items are typed, and parcels enough for a scroll bar
// move none of them.
TEST(SurveyMapWindow, TableColumnsStayWhenThePreviewFirstDraws) {
    TwoParcels data;
    SurveyMapWindow window(data.workspace);
    auto* table = window.findChild<QTableWidget*>("parcels");
    AtFirstPaint firstPaint(window.findChild<SurveyMapPreview*>(), table);
    window.open(data.site.Path(), 9);
    const std::vector<int> opened = ColumnWidths(table);
    for (int i = 0; i < 100 && firstPaint.widths.empty(); ++i) {
        QApplication::processEvents();
    }
    ASSERT_FALSE(firstPaint.widths.empty()) << "the preview was never painted";
    EXPECT_EQ(firstPaint.widths, opened);
    QApplication::processEvents();
    EXPECT_EQ(ColumnWidths(table), opened);
    const QString notes = window.notes();
    for (const char* name : {"地番区域", "測量年月日", "作成年月日", "作成者", "申請人"}) {
        window.findChild<QLineEdit*>(name)->setText(QStringLiteral("令和8年12月10日"));
    }
    QApplication::processEvents();
    EXPECT_NE(window.notes(), notes);
    EXPECT_EQ(ColumnWidths(table), opened);
    for (int i = 0; i < 40; ++i) {
        data.workspace.store().blocks.Add(Block{std::to_string(100 + i), "A,B,C,A", 4, 0, 0});
    }
    QApplication::processEvents();
    ASSERT_EQ(table->rowCount(), 41);
    EXPECT_EQ(ColumnWidths(table), opened);
    // Every 地目 reads whole in its column.
    auto* category = qobject_cast<QComboBox*>(table->cellWidget(0, 2));
    for (int i = 0; i < category->count(); ++i) {
        EXPECT_LE(category->fontMetrics().horizontalAdvance(category->itemText(i)), opened[2]) << i;
    }
}

} // namespace
} // namespace vemo::surveymap
