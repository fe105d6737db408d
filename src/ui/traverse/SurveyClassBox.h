#pragma once

#include "core/traverse/SurveyClass.h"

#include <QWidget>

class QComboBox;
class QSpinBox;
class QLabel;

namespace vemo {

// The class a traverse is judged by, beside the traverse header: none, 1級 … 4級 of the public survey
// rules, 甲一 … 乙三 of the cadastral precision classes, or the office's own rule with its least closure
// ratio and its angle limit (shown only for that rule).
class SurveyClassBox : public QWidget {
    Q_OBJECT
public:
    explicit SurveyClassBox(QWidget* parent = nullptr);

    SurveyClass surveyClass() const;
    void setSurveyClass(const SurveyClass& surveyClass);
    QComboBox* combo() const { return combo_; }
    QSpinBox* ratioBox() const { return ratio_; }
    QSpinBox* angleBox() const { return angle_; }

signals:
    // The surveyor chose another class or changed the office rule.
    void edited();

private:
    void showUserFields();

    QComboBox* combo_;
    QLabel* ratioLabel_;
    QSpinBox* ratio_;
    QLabel* angleLabel_;
    QSpinBox* angle_;
    bool setting_ = false;
};

} // namespace vemo
