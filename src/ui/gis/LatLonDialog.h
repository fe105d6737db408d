#pragma once

#include "core/gis/PlaneZones.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vemo {

class ZoneBox;

// "緯度経度表示": the latitude and longitude of a point (degrees-minutes-seconds to 0.0001″ and decimal
// degrees) from its plane rectangular coordinates in the site's zone, and the reverse: latitude and
// longitude typed in either notation give X and Y.
class LatLonDialog : public QDialog {
    Q_OBJECT
public:
    explicit LatLonDialog(QWidget* parent = nullptr);

    void setZone(const gis::ZoneChoice& choice);
    gis::ZoneChoice zone() const;
    // Shows a point (name as the surveyor sees it) and converts it at once.
    void showPoint(const QString& name, double x, double y);

    // The conversions of the two buttons; a field that does not read shows a message and changes nothing.
    void toGeographic();
    void toPlane();

    QLineEdit* xEdit() const { return x_; }
    QLineEdit* yEdit() const { return y_; }
    QLineEdit* latEdit() const { return lat_; }
    QLineEdit* lonEdit() const { return lon_; }
    QLineEdit* latDecimalEdit() const { return latDecimal_; }
    QLineEdit* lonDecimalEdit() const { return lonDecimal_; }

private:
    void showGeographic(double lat, double lon);
    ZoneBox* zone_;
    QLabel* name_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* lat_;
    QLineEdit* lon_;
    QLineEdit* latDecimal_;
    QLineEdit* lonDecimal_;
};

} // namespace vemo
