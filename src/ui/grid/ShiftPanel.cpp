#include "ui/grid/ShiftPanel.h"

#include "core/text/Error.h"
#include "core/text/Numbers.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace vemo {

ShiftField::ShiftField(const char* format, QWidget* parent) : QLineEdit(parent), format_(format) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    showValue();
}

void ShiftField::showValue() {
    setText(QString::fromLatin1(Sprintf(format_, value_)));
}

bool ShiftField::accepts(QChar c) const {
    if (c.isDigit() && c.unicode() < 0x80) {
        return true;
    }
    if (c != u'.' && c != u'-') {
        return false;
    }
    // A second point or minus only replaces the first.
    return !text().contains(c) || selectedText().contains(c);
}

void ShiftField::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool character =
        typed.size() == 1 && typed[0].isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (character && !accepts(typed[0])) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ShiftField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    setText(text().trimmed());
    // After the base class, which places the cursor where the mouse clicked.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) {
            selectAll();
        }
    });
    selectAll();
}

void ShiftField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    finish();
}

void ShiftField::finish() {
    // CP932 like every number the core reads, so that a full-width digit comes back readable in the
    // conversion message.
    RunCommand(
        [this] {
            const std::string typed = ToCp932OrThrow(text().trimmed());
            const double value = typed.empty() ? 0.0 : StrToFloat(typed);
            if (value != value_) {
                value_ = value;
                emit valueChanged(value_);
            }
        },
        this);
    showValue();
}

ShiftPanel::ShiftPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    const char* formats[3] = {"%11.3f", "%11.3f", "%9.3f"};
    const char* labels[3] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis) {
        layout->addWidget(new QLabel(QString::fromLatin1(labels[axis]), this));
        fields_[axis] = new ShiftField(formats[axis], this);
        layout->addWidget(fields_[axis], axis == 2 ? 3 : 4);
        connect(fields_[axis], &ShiftField::valueChanged, this, [this] { emit valuesChanged(values()); });
    }
    allButton_ = new QPushButton(QStringLiteral("一括"), this);
    downButton_ = new QPushButton(QStringLiteral("下方向"), this);
    allButton_->setFocusPolicy(Qt::NoFocus);
    downButton_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(allButton_);
    layout->addWidget(downButton_);
    // The buttons take no focus, so a value still being typed is read here rather than on leaving.
    connect(allButton_, &QPushButton::clicked, this, [this] {
        finishFields();
        emit shiftAllRequested();
    });
    connect(downButton_, &QPushButton::clicked, this, [this] {
        finishFields();
        emit shiftDownRequested();
    });
}

void ShiftPanel::finishFields() {
    for (ShiftField* field : fields_) {
        field->finish();
    }
}

ShiftValues ShiftPanel::values() const {
    return {fields_[0]->value(), fields_[1]->value(), fields_[2]->value()};
}

} // namespace vemo
