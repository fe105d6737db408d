#pragma once

#include "core/surveymap/SurveyMapLayout.h"

#include <QWidget>

#include <optional>

namespace vemo::surveymap {

// The whole sheet of a laid-out survey map, scaled to the widget; empty (grey) without one.
class SurveyMapPreview : public QWidget {
    Q_OBJECT
public:
    explicit SurveyMapPreview(QWidget* parent = nullptr);
    void showMap(std::optional<SurveyMapLayout> layout);
    const std::optional<SurveyMapLayout>& shownMap() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SurveyMapLayout> layout_;
};

} // namespace vemo::surveymap
