#pragma once

#include <QObject>
#include <QPointer>

namespace vemo {

class PlotView;

// The wheel always acts on the plot while it is shown, wherever the pointer is, and scrolls no other
// control: installed on the application, this sends every wheel event to the plot.  Modal dialogs keep
// their own wheel.
class PlotWheelFilter : public QObject {
    Q_OBJECT

public:
    explicit PlotWheelFilter(PlotView* plot, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<PlotView> plot_;
};

} // namespace vemo
