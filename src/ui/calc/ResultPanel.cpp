#include "ui/calc/ResultPanel.h"

#include "core/calc/CalcEntry.h"
#include "core/edit/PointName.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "ui/calc/CalcFields.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace vemo {

ResultPanel::ResultPanel(const Store* store, QWidget* parent) : QWidget(parent), store_(store) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("点名"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("X"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Y"), this), 0, 3);
    for (int i = 0; i < 2; ++i) {
        check[i] = new QCheckBox(QStringLiteral("P%1").arg(i + 1), this);
        names[i] = new QLineEdit(this);
        names[i]->installEventFilter(this);
        x[i] = new QLabel(this);
        y[i] = new QLabel(this);
        // Room for "%11.3f" in the grid font, so a value is never cut.
        for (QLabel* value : {x[i], y[i]}) {
            value->setFont(GridFont());
            value->setMinimumWidth(12 * DigitWidth(value->font()));
        }
        names[i]->setMaximumWidth(14 * DigitWidth(GridFont()));
        grid->addWidget(check[i], i + 1, 0);
        grid->addWidget(names[i], i + 1, 1);
        grid->addWidget(x[i], i + 1, 2);
        grid->addWidget(y[i], i + 1, 3);
    }
    registerButton = CalcButton(QStringLiteral("登録"), this);
    clearButton = CalcButton(QStringLiteral("クリア"), this);
    cancelButton = CalcButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {registerButton, clearButton, cancelButton}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void ResultPanel::configure(bool twoSolutions, bool secondTicked) {
    twoSolutions_ = twoSolutions;
    check[0]->setChecked(true);
    check[0]->setEnabled(twoSolutions);
    check[1]->setChecked(secondTicked);
    for (QWidget* widget : {static_cast<QWidget*>(check[1]), static_cast<QWidget*>(names[1]),
                            static_cast<QWidget*>(x[1]), static_cast<QWidget*>(y[1])}) {
        widget->setVisible(twoSolutions);
    }
}

void ResultPanel::showPoints(const std::vector<PlanePoint>& points) {
    for (int i = 0; i < 2; ++i) {
        const bool has = i < static_cast<int>(points.size());
        x[i]->setText(has ? QString::fromStdString(Sprintf("%11.3f", points[i].x)) : QString());
        y[i]->setText(has ? QString::fromStdString(Sprintf("%11.3f", points[i].y)) : QString());
    }
}

void ResultPanel::clearValues() {
    showPoints({});
    names[0]->clear();
    names[1]->clear();
}

bool ResultPanel::wanted(int i) const {
    if (i == 0) {
        return !twoSolutions_ || check[0]->isChecked();
    }
    return twoSolutions_ && check[1]->isChecked();
}

QString ResultPanel::name(int i) const {
    return names[i]->text().trimmed();
}
void ResultPanel::setName(int i, const QString& name) {
    names[i]->setText(name);
}
bool ResultPanel::hasValue(int i) const {
    return !x[i]->text().isEmpty() && !y[i]->text().isEmpty();
}

bool ResultPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FocusNextControl(static_cast<QWidget*>(watched));
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && store_) {
        if (watched == names[0] && names[0]->text().isEmpty()) {
            names[0]->setText(FromCp932(ProposeNewPointName(store_->xyz)));
        }
        if (watched == names[0] || watched == names[1]) {
            const auto p1 = ToCp932(names[0]->text().trimmed());
            if (twoSolutions_ && names[1]->text().isEmpty() && p1 && !p1->empty()) {
                names[1]->setText(FromCp932(NextPointName(*p1, true)));
            }
            // The proposed name is selected, so a name typed over it replaces it.
            QTimer::singleShot(0, static_cast<QLineEdit*>(watched), &QLineEdit::selectAll);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vemo
