#include "core/gis/SiteZone.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/gis/GisExportCommand.h"
#include "ui/gis/LatLonDialog.h"
#include "ui/gis/ZoneBox.h"
#include "ui/tree/FileDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

QPushButton* Button(QWidget& parent, const QString& text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// The zone IX point of the published example: X = -33369.335, Y = -6837.339 is 35°41′57.1306″ N,
// 139°45′28.0048″ E (35.699202944°, 139.757779118°).  Typing those back gives X and Y to within the
// 3 mm that 0.0001″ stands for; a field that does not read leaves everything as it was.
TEST(LatLonDialog, ShowsThePointAndConvertsBack) {
    LatLonDialog dialog;
    dialog.setZone({9, gis::Datum::Jgd2011});
    dialog.showPoint(QStringLiteral("A1"), -33369.335, -6837.339);
    EXPECT_EQ(dialog.latEdit()->text(), QStringLiteral("35°41′57.1306″"));
    EXPECT_EQ(dialog.lonEdit()->text(), QStringLiteral("139°45′28.0048″"));
    EXPECT_EQ(dialog.latDecimalEdit()->text(), QStringLiteral("35.699202944"));
    EXPECT_EQ(dialog.lonDecimalEdit()->text(), QStringLiteral("139.757779118"));
    dialog.show();
    QPixmap shot = dialog.grab();
    shot.save(QStringLiteral("/tmp/vemo-latlon-dialog.png"));

    dialog.xEdit()->clear();
    dialog.yEdit()->clear();
    dialog.latEdit()->setText(QStringLiteral("35 41 57.1306"));
    dialog.lonEdit()->setText(QStringLiteral("139°45′28.0048″"));
    QTest::mouseClick(Button(dialog, QStringLiteral("平面直角座標へ(&X)")), Qt::LeftButton);
    EXPECT_NEAR(dialog.xEdit()->text().toDouble(), -33369.335, 0.003);
    EXPECT_NEAR(dialog.yEdit()->text().toDouble(), -6837.339, 0.003);

    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();
    QString x = dialog.xEdit()->text();
    dialog.latEdit()->setText(QStringLiteral("35 61 0"));
    QTest::mouseClick(Button(dialog, QStringLiteral("平面直角座標へ(&X)")), Qt::LeftButton);
    EXPECT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(dialog.xEdit()->text(), x);
    MessageBox::SetCapture(false);
}

// The first export of a site asks the zone and remembers it in the site folder; the second asks
// nothing and writes in the remembered zone.  The window's status line says what was written and where.
TEST(GisExportCommand, AsksTheZoneOnceAndRemembersIt) {
    test::TempDir site;
    Store store;
    store.xyz.ReplaceAll({{"", "A1", "-33369.335", "-6837.339", "", "", ""}, {"", "B", "", "", "", "", ""}});
    int zoneDialogs = 0;
    auto answerZone = [&zoneDialogs] {
        QTimer::singleShot(0, [&zoneDialogs] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++zoneDialogs;
                dialog->findChild<ZoneBox*>()->zoneCombo()->setCurrentIndex(11); // XII
                dialog->accept();
            }
        });
    };
    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();
    QWidget window;
    QString said;
    SetStatusNoticeSink(&window, [&said](const QString& text) { said = text; });
    for (const char* name : {"first.gpkg", "second.kml"}) {
        answerZone();
        const QString file = QString::fromStdString(site.File(name));
        FileDialog::setNextFileName(file);
        ExportSiteToGis(&window, store, site.Path());
        QApplication::processEvents();
        EXPECT_TRUE(std::filesystem::exists(site.File(name))) << name;
        EXPECT_EQ(said, QStringLiteral("GIS/CAD ファイルを書き出しました: ") + file);
    }
    EXPECT_EQ(zoneDialogs, 1);
    std::optional<gis::ZoneChoice> remembered = gis::ReadSiteZone(site.Path());
    ASSERT_TRUE(remembered.has_value());
    EXPECT_EQ(remembered->zone, 12);
    ASSERT_EQ(MessageBox::ShownTexts().size(), 2);
    EXPECT_TRUE(MessageBox::ShownTexts()[1].contains(QStringLiteral("点 1 件")));
    EXPECT_TRUE(MessageBox::ShownTexts()[1].contains(QStringLiteral("1 件は出力していません")));
    MessageBox::SetCapture(false);
}

} // namespace
} // namespace vemo
