#pragma once

#include "core/settings/Settings.h"

#include <QWidget>

namespace vemo {

// A small picture of the plot drawn with the dialog's working look: twelve sample points (six with
// the whole-area sizes, six with the enlarged sizes, names with and without the initials, one picked
// from the coordinate list), the cross-hair, the zoom sign and the three kinds of parcel outline, so
// the surveyor sees how the colours read against the background before pressing OK.
class LookPreview : public QWidget {
    Q_OBJECT
public:
    explicit LookPreview(QWidget* parent = nullptr);

    void setLook(const Settings::XyzImageKeys& look);
    const Settings::XyzImageKeys& look() const { return look_; }

    QSize sizeHint() const override { return {600, 130}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Settings::XyzImageKeys look_;
};

} // namespace vemo
