#pragma once

#include "core/gis/PlaneZones.h"

#include <QDialog>
#include <QWidget>

#include <optional>

class QComboBox;

namespace vemo {

// The plane rectangular zone and datum as two drop-down lists: "IX系 (EPSG:6677)" .. and JGD2011 or
// JGD2000.
class ZoneBox : public QWidget {
    Q_OBJECT
public:
    explicit ZoneBox(QWidget* parent = nullptr);
    gis::ZoneChoice choice() const;
    void setChoice(const gis::ZoneChoice& choice);
    QComboBox* zoneCombo() const { return zone_; }

signals:
    void choiceChanged();

private:
    void relabel();
    QComboBox* zone_;
    QComboBox* datum_;
};

// Asks the zone of a site ("座標系の選択"); nothing when cancelled.
std::optional<gis::ZoneChoice> AskZone(QWidget* parent, const QString& siteText);

} // namespace vemo
