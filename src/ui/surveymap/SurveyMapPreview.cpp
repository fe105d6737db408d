#include "ui/surveymap/SurveyMapPreview.h"

#include "ui/surveymap/SurveyMapPainter.h"

#include <QPainter>

#include <algorithm>

namespace vemo::surveymap {

SurveyMapPreview::SurveyMapPreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 300);
}

void SurveyMapPreview::showMap(std::optional<SurveyMapLayout> layout) {
    layout_ = std::move(layout);
    update();
}

void SurveyMapPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().mid());
    if (!layout_) {
        return;
    }
    constexpr double kMargin = 8;
    double pixelsPerMm =
        std::min((width() - 2 * kMargin) / layout_->widthMm, (height() - 2 * kMargin) / layout_->heightMm);
    painter.translate((width() - layout_->widthMm * pixelsPerMm) / 2, (height() - layout_->heightMm * pixelsPerMm) / 2);
    PaintSurveyMap(painter, *layout_, pixelsPerMm);
}

} // namespace vemo::surveymap
