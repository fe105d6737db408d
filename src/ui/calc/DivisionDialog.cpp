#include "ui/calc/DivisionDialog.h"

#include "core/division/RegisterDivision.h"
#include "core/store/Store.h"
#include "core/text/MessagesDivisionSum.h"
#include "ui/calc/CalcFields.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vemo {

DivisionDialog::DivisionDialog(Store& store, const DivisionResult& result, QWidget* parent)
    : QDialog(parent, Qt::Tool), store_(store), result_(result) {
    setWindowTitle(QStringLiteral("座標・画地登録"));
    setProperty("helpContext", 23); // F1: its page of the help book
    setFont(GridFont());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPoints());
    layout->addWidget(buildParts());
    auto* buttons = new QHBoxLayout;
    register_ = CalcButton(QStringLiteral("登録"), this);
    auto* cancel = CalcButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    buttons->addStretch(1);
    buttons->addWidget(register_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(register_, &QPushButton::clicked, this, &DivisionDialog::registerAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const DivisionRegistration proposed = SuggestDivisionNames(store);
    pointNames_[0]->setName(cornerNames_[0].empty() ? proposed.p1Name : cornerNames_[0]);
    pointNames_[1]->setName(cornerNames_[1].empty() ? proposed.p2Name : cornerNames_[1]);
    parcelNames_[0]->setText(FromCp932(proposed.securedParcelName));
    parcelNames_[1]->setText(FromCp932(proposed.remainderParcelName));
    for (CalcNameEdit* field : {pointNames_[0], pointNames_[1], parcelNames_[0], parcelNames_[1]}) {
        field->installEventFilter(this);
    }
}

void DivisionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    pointNames_[0]->setFocus();
}

QWidget* DivisionDialog::buildPoints() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("<< 座標 >>"), box), 0, 0, 1, 4);
    const QString titles[] = {QStringLiteral("点名"), QStringLiteral("X "), QStringLiteral("Y ")};
    for (int column = 0; column < 3; ++column) {
        grid->addWidget(new QLabel(titles[column], box), 1, column + 1);
    }
    const std::optional<PlanePoint> points[] = {result_.p1, result_.p2};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(i == 0 ? QStringLiteral("P1:") : QStringLiteral("P2:"), box);
        pointNames_[i] = new CalcNameEdit(box);
        pointX_[i] = new QLabel(box);
        pointY_[i] = new QLabel(box);
        if (points[i]) {
            pointX_[i]->setText(FromCp932(DivisionPointText(points[i]->x)));
            pointY_[i]->setText(FromCp932(DivisionPointText(points[i]->y)));
        }
        // A corner the dividing line passes through is the point itself: shown by its name, not
        // registered again.
        const std::string& vertex = i == 0 ? result_.p1Vertex : result_.p2Vertex;
        if (!vertex.empty()) {
            cornerNames_[i] = vertex;
            pointNames_[i]->setEnabled(false);
        }
        QWidget* const row[] = {label, pointNames_[i], pointX_[i], pointY_[i]};
        for (int column = 0; column < 4; ++column) {
            grid->addWidget(row[column], i + 2, column);
            // The one-point method has no P2: its line is hidden.
            row[column]->setVisible(points[i].has_value());
        }
    }
    return box;
}

QWidget* DivisionDialog::buildParts() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("<< 画地 >>"), box), 0, 0, 1, 3);
    const DivisionPart* parts[] = {&result_.secured, &result_.remainder};
    for (int part = 0; part < 2; ++part) {
        const int top = 1 + part * 5;
        keep_[part] = new QCheckBox(part == 0 ? QStringLiteral("求積側") : QStringLiteral("残地側"), box);
        keep_[part]->setChecked(part == 0);
        parcelNames_[part] = new CalcNameEdit(box);
        parcelNames_[part]->setEnabled(part == 0);
        connect(keep_[part], &QCheckBox::toggled, parcelNames_[part], &QWidget::setEnabled);
        connect(keep_[part], &QCheckBox::toggled, this, &DivisionDialog::showWhatRegisters);
        grid->addWidget(keep_[part], top, 0);
        grid->addWidget(new QLabel(QStringLiteral("地番 :"), box), top, 1);
        grid->addWidget(parcelNames_[part], top, 2);
        const std::vector<std::string> texts = DivisionAreaTexts(parts[part]->figures);
        for (int line = 0; line < 3; ++line) {
            areaTexts_[part][line] = new QLabel(FromCp932(texts[line]), box);
            grid->addWidget(areaTexts_[part][line], top + 1 + line, 1, 1, 2);
        }
    }
    excess_ = new QLabel(FromCp932(DivisionExcessText(result_)), box);
    grid->addWidget(excess_, 5, 1, 1, 2);
    // The parcel against the sum of its parts, so that the sheet can be re-added, and why they differ.
    int row = 11;
    for (const std::string& text : DivisionSumTexts(result_)) {
        auto* label = new QLabel(FromCp932(text), box);
        label->setWordWrap(true);
        sumTexts_.push_back(label);
        grid->addWidget(label, row++, 1, 1, 2);
    }
    // 残地側 starts unchecked: what 登録 then does (and leaves) is said plainly beside the boxes.
    registers_ = new QLabel(box);
    registers_->setWordWrap(true);
    grid->addWidget(registers_, row, 0, 1, 3);
    showWhatRegisters();
    return box;
}

void DivisionDialog::showWhatRegisters() {
    const bool secured = keep_[0]->isChecked(), remainder = keep_[1]->isChecked();
    const std::string text = secured && remainder ? msg::DivisionRegistersBoth()
                             : secured            ? msg::DivisionRegistersSecuredOnly()
                             : remainder          ? msg::DivisionRegistersRemainderOnly()
                                                  : msg::DivisionRegistersPointsOnly();
    registers_->setText(FromCp932(text));
}

bool DivisionDialog::eventFilter(QObject* watched, QEvent* event) {
    // The name fields would take Escape as a step back to the previous field: here it is ｷｬﾝｾﾙ.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DivisionDialog::registerAll() {
    DivisionRegistration names;
    names.p1Name = pointNames_[0]->name();
    names.p2Name = pointNames_[1]->name();
    names.keepSecured = keep_[0]->isChecked();
    names.keepRemainder = keep_[1]->isChecked();
    names.securedParcelName = parcelNames_[0]->name();
    names.remainderParcelName = parcelNames_[1]->name();
    if (RunCommand([&] { RegisterDivision(store_, result_, names); }, this, QStringLiteral("分割登録"))) {
        accept();
    }
}

} // namespace vemo
