#include "ui/traverse/SurveyClassBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace vemo {
namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The combo's entries and the classes they stand for; the office rule is last.
struct Entry {
    const char* caption;
    const char* key;
};
constexpr Entry kEntries[] = {
    {"なし", ""},
    {"1級基準点測量", "1"},
    {"2級基準点測量（1級TS）", "2-1"},
    {"2級基準点測量", "2"},
    {"3級基準点測量", "3"},
    {"4級基準点測量", "4"},
    {"精度区分 甲一", "甲一"},
    {"精度区分 甲二", "甲二"},
    {"精度区分 甲三", "甲三"},
    {"精度区分 乙一", "乙一"},
    {"精度区分 乙二", "乙二"},
    {"精度区分 乙三", "乙三"},
    {"独自基準", "user"},
};
constexpr int kUserEntry = static_cast<int>(std::size(kEntries)) - 1;

} // namespace

SurveyClassBox::SurveyClassBox(QWidget* parent) : QWidget(parent) {
    setObjectName("SurveyClassBox");
    setProperty("helpContext", 34); // F1: the page of the precision checks
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    auto* label = new QLabel(U("精度の級:"), this);
    combo_ = new QComboBox(this);
    combo_->setObjectName("SurveyClass");
    for (const Entry& entry : kEntries) {
        combo_->addItem(U(entry.caption), U(entry.key));
    }
    label->setBuddy(combo_);
    ratioLabel_ = new QLabel(U("閉合比 1 /"), this);
    ratio_ = new QSpinBox(this);
    ratio_->setObjectName("SurveyClassRatio");
    ratio_->setRange(100, 1000000);
    ratio_->setValue(5000);
    angleLabel_ = new QLabel(U("測角誤差 ″√n:"), this);
    angle_ = new QSpinBox(this);
    angle_->setObjectName("SurveyClassAngle");
    angle_->setRange(1, 3600);
    angle_->setValue(20);
    layout->addWidget(label);
    layout->addWidget(combo_);
    layout->addWidget(ratioLabel_);
    layout->addWidget(ratio_);
    layout->addWidget(angleLabel_);
    layout->addWidget(angle_);
    layout->addStretch(1);
    showUserFields();
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] {
        showUserFields();
        if (!setting_) {
            emit edited();
        }
    });
    for (QSpinBox* box : {ratio_, angle_}) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!setting_) {
                emit edited();
            }
        });
    }
}

void SurveyClassBox::showUserFields() {
    const bool user = combo_->currentIndex() == kUserEntry;
    for (QWidget* w : std::initializer_list<QWidget*>{ratioLabel_, ratio_, angleLabel_, angle_}) {
        w->setVisible(user);
    }
}

SurveyClass SurveyClassBox::surveyClass() const {
    if (combo_->currentIndex() == kUserEntry) {
        SurveyClass c;
        c.kind = SurveyClass::Kind::User;
        c.minRatio = ratio_->value();
        c.angleSeconds = angle_->value();
        return c;
    }
    return ParseSurveyClass(combo_->currentData().toString().toStdString()).value_or(SurveyClass{});
}

void SurveyClassBox::setSurveyClass(const SurveyClass& c) {
    setting_ = true;
    if (c.kind == SurveyClass::Kind::User) {
        ratio_->setValue(c.minRatio);
        angle_->setValue(c.angleSeconds);
        combo_->setCurrentIndex(kUserEntry);
    } else {
        int index = 0;
        for (int i = 0; i < kUserEntry; ++i) {
            if (ParseSurveyClass(combo_->itemData(i).toString().toStdString()) == c) {
                index = i;
            }
        }
        combo_->setCurrentIndex(index);
    }
    showUserFields();
    setting_ = false;
}

} // namespace vemo
