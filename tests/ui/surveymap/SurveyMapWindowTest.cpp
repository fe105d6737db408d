// The survey map window: the preview follows every choice at once, says what it cannot draw, and the
// choices are kept beside the site's files.
#include "ui/surveymap/SurveyMapWindow.h"
#include "core/store/BlockList.h"
#include "core/store/Store.h"
#include "core/surveymap/SiteSurveyInfo.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"
#include "ui/common/Workspace.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

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
    EXPECT_EQ(window.currentMap()->scale, 250);
    EXPECT_EQ(window.currentMap()->widthMm, 420);
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::Title, "霞が関三丁目"));
    EXPECT_TRUE(HasText(*window.currentMap(), MapLayer::ParcelNumber, "山林"));

    window.findChild<QComboBox*>("scale")->setCurrentIndex(4);
    EXPECT_EQ(window.currentMap()->scale, 500);
    window.findChild<QComboBox*>("paper")->setCurrentIndex(0);
    EXPECT_EQ(window.currentMap()->widthMm, 210);
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

} // namespace
} // namespace vemo::surveymap
