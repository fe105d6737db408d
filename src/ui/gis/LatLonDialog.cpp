#include "ui/gis/LatLonDialog.h"

#include "core/gis/Dms.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/gis/ZoneBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vemo {
namespace {

QLineEdit* Field(QWidget* parent, bool readOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(readOnly);
    edit->setMinimumWidth(150);
    return edit;
}

std::optional<double> Number(const QLineEdit* edit) {
    return TryStrToFloat(edit->text().toStdString());
}

std::optional<double> Angle(const QLineEdit* edit) {
    std::optional<std::string> cp932 = ToCp932(edit->text());
    return cp932 ? gis::ParseAngle(*cp932) : std::nullopt;
}

} // namespace

LatLonDialog::LatLonDialog(QWidget* parent)
    : QDialog(parent), zone_(new ZoneBox(this)), name_(new QLabel(this)), x_(Field(this)), y_(Field(this)),
      lat_(Field(this)), lon_(Field(this)), latDecimal_(Field(this, true)), lonDecimal_(Field(this, true)) {
    setObjectName(QStringLiteral("latLonDialog"));
    setWindowTitle(QStringLiteral("緯度経度表示"));
    setProperty("helpContext", 50); // F1: its page of the help book
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("座標系"), this), 0, 0);
    grid->addWidget(zone_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("点名"), this), 1, 0);
    grid->addWidget(name_, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("X (北)"), this), 2, 0);
    grid->addWidget(x_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y (東)"), this), 3, 0);
    grid->addWidget(y_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("緯度"), this), 4, 0);
    grid->addWidget(lat_, 4, 1);
    grid->addWidget(latDecimal_, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("経度"), this), 5, 0);
    grid->addWidget(lon_, 5, 1);
    grid->addWidget(lonDecimal_, 5, 2);
    grid->addWidget(
        new QLabel(QStringLiteral("緯度・経度は 度 分 秒 (35°41′57.1306″, 35 41 57.1306) か 度 (35.699203)"), this), 6,
        0, 1, 3);
    auto* toGeographic = new QPushButton(QStringLiteral("緯度経度へ(&B)"), this);
    auto* toPlane = new QPushButton(QStringLiteral("平面直角座標へ(&X)"), this);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    grid->addWidget(toGeographic, 7, 0);
    grid->addWidget(toPlane, 7, 1);
    grid->addWidget(close, 7, 2);
    connect(toGeographic, &QPushButton::clicked, this, &LatLonDialog::toGeographic);
    connect(toPlane, &QPushButton::clicked, this, &LatLonDialog::toPlane);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // Another zone gives the same X and Y another place: convert again, quietly while X or Y is empty.
    connect(zone_, &ZoneBox::choiceChanged, this, [this] {
        if (!x_->text().isEmpty() && !y_->text().isEmpty()) {
            this->toGeographic();
        }
    });
}

void LatLonDialog::setZone(const gis::ZoneChoice& choice) {
    zone_->setChoice(choice);
}

gis::ZoneChoice LatLonDialog::zone() const {
    return zone_->choice();
}

void LatLonDialog::showPoint(const QString& name, double x, double y) {
    name_->setText(name);
    x_->setText(QString::fromStdString(Format3(x)));
    y_->setText(QString::fromStdString(Format3(y)));
    toGeographic();
}

void LatLonDialog::showGeographic(double lat, double lon) {
    lat_->setText(FromCp932(gis::FormatDms(lat)));
    lon_->setText(FromCp932(gis::FormatDms(lon)));
    latDecimal_->setText(QString::fromStdString(gis::FormatDecimalDegrees(lat)));
    lonDecimal_->setText(QString::fromStdString(gis::FormatDecimalDegrees(lon)));
}

void LatLonDialog::toGeographic() {
    std::optional<double> x = Number(x_);
    std::optional<double> y = Number(y_);
    if (!x || !y) {
        MessageBox::Show(this, FromCp932(msg::EnterXAndY()));
        return;
    }
    RunCommand(
        [&] {
            gis::LatLon ll = gis::ZoneTransform(zone()).ToGeographic({*x, *y});
            showGeographic(ll.lat, ll.lon);
        },
        this);
}

void LatLonDialog::toPlane() {
    std::optional<double> lat = Angle(lat_);
    std::optional<double> lon = Angle(lon_);
    if (!lat || !lon || *lat < -90 || *lat > 90 || *lon < -180 || *lon > 360) {
        MessageBox::Show(this, FromCp932(msg::EnterLatLon()));
        return;
    }
    RunCommand(
        [&] {
            gis::PlaneXY plane = gis::ZoneTransform(zone()).ToPlane({*lat, *lon});
            name_->clear();
            x_->setText(QString::fromStdString(Format3(plane.x)));
            y_->setText(QString::fromStdString(Format3(plane.y)));
            showGeographic(*lat, *lon);
        },
        this);
}

} // namespace vemo
