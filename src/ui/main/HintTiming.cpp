#include "ui/main/HintTiming.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace vemo {
namespace {

constexpr int kHintHideMs = 100000;
// The short pause after one hint within which the next control's hint shows at once.
constexpr int kHintShortPauseMs = 50;

class HintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) {
            return 0;
        }
        if (hint == SH_ToolTip_FallAsleepDelay) {
            return kHintShortPauseMs;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Shows a control's tool tip for the long hint time instead of the platform's few seconds.
class HintDuration : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->toolTip().isEmpty() || widget->toolTipDuration() > 0) {
            return false;
        }
        widget->setToolTipDuration(kHintHideMs);
        return false;
    }
};

} // namespace

void ApplyHintTiming() {
    QApplication::setStyle(new HintStyle);
    qApp->installEventFilter(new HintDuration(qApp));
}

} // namespace vemo
