#include "ui/gis/ZoneBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vemo {

ZoneBox::ZoneBox(QWidget* parent) : QWidget(parent), zone_(new QComboBox(this)), datum_(new QComboBox(this)) {
    for (int zone = 1; zone <= gis::kZoneCount; ++zone) {
        zone_->addItem(QString(), zone);
    }
    datum_->addItem(QStringLiteral("JGD2011"));
    datum_->addItem(QStringLiteral("JGD2000"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(zone_, 1);
    layout->addWidget(datum_);
    relabel();
    auto changed = [this] {
        relabel();
        emit choiceChanged();
    };
    connect(zone_, &QComboBox::currentIndexChanged, this, changed);
    connect(datum_, &QComboBox::currentIndexChanged, this, changed);
}

// The EPSG code in each item tells a GIS user which CRS the files will carry.
void ZoneBox::relabel() {
    gis::Datum datum = datum_->currentIndex() == 1 ? gis::Datum::Jgd2000 : gis::Datum::Jgd2011;
    for (int i = 0; i < zone_->count(); ++i) {
        int zone = i + 1;
        zone_->setItemText(i, QStringLiteral("%1系 (EPSG:%2)")
                                  .arg(QString::fromStdString(gis::ZoneNumeral(zone)))
                                  .arg(gis::ZoneEpsg({zone, datum})));
    }
}

gis::ZoneChoice ZoneBox::choice() const {
    return {zone_->currentIndex() + 1, datum_->currentIndex() == 1 ? gis::Datum::Jgd2000 : gis::Datum::Jgd2011};
}

void ZoneBox::setChoice(const gis::ZoneChoice& choice) {
    zone_->setCurrentIndex(choice.zone - 1);
    datum_->setCurrentIndex(choice.datum == gis::Datum::Jgd2000 ? 1 : 0);
}

std::optional<gis::ZoneChoice> AskZone(QWidget* parent, const QString& siteText) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("zoneDialog"));
    dialog.setWindowTitle(QStringLiteral("座標系の選択"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(siteText, &dialog));
    auto* box = new ZoneBox(&dialog);
    box->setChoice({9, gis::Datum::Jgd2011});
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return box->choice();
}

} // namespace vemo
