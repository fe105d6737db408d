#include "ui/calc/CalcFields.h"

#include "core/text/Numbers.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/SystemBeep.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

namespace vemo {

namespace {

// Focus that leaves because another window or a menu took it is not the surveyor leaving the field.
bool LeftByUser(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

// In the calculation fields Enter moves on to the next control and Escape back to the previous one.
bool IsEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

void FocusNextControl(QWidget* from) {
    for (QWidget* next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QPushButton* CalcButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

CalcNameEdit::CalcNameEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::returnPressed, this, [this] {
        if (!isAcceptable()) {
            SystemBeep::Beep();
            return;
        }
        if (text() != committed_) {
            committed_ = text();
            emit nameChanged();
        }
    });
}

std::string CalcNameEdit::name() const {
    return ToCp932(text().trimmed()).value_or(std::string());
}

void CalcNameEdit::setName(const std::string& cp932) {
    setText(FromCp932(cp932));
    committed_ = text();
}

bool CalcNameEdit::isAcceptable() const {
    const std::string current = name();
    return current.empty() || !acceptable_ || acceptable_(current);
}

void CalcNameEdit::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        QLineEdit::keyPressEvent(event); // returnPressed: the name is checked and committed
        // A refused name keeps the focus; a message raised by the change may have sent it elsewhere,
        // and there it stays.
        if (isAcceptable() && hasFocus()) {
            focusNextPrevChild(true);
        }
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        focusNextPrevChild(false);
        return;
    }
    const QString typed = event->text();
    if ((!upperCase_ || upperCase_()) && typed.size() == 1 && typed[0] >= QChar('a') && typed[0] <= QChar('z')) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), typed.toUpper());
        QLineEdit::keyPressEvent(&upper);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CalcNameEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!LeftByUser(event)) {
        return;
    }
    if (!isAcceptable()) {
        SystemBeep::Beep();
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
        return;
    }
    if (text() != committed_) {
        committed_ = text();
        emit nameChanged();
    }
}

CalcNumberEdit::CalcNumberEdit(Kind kind, QWidget* parent) : QLineEdit(parent), kind_(kind) {
    reset();
    connect(this, &QLineEdit::returnPressed, this, &CalcNumberEdit::commit);
}

double CalcNumberEdit::value() const {
    return TryStrToFloat(text().toStdString()).value_or(0.0);
}

void CalcNumberEdit::reset() {
    setValue(0.0);
}

void CalcNumberEdit::setValue(double value) {
    const char* format = "%10.3f";
    switch (kind_) {
    case Kind::Direction:
        format = "%9.4f";
        break;
    case Kind::Length:
        break;
    case Kind::Area:
        format = "%14.7f";
        break;
    case Kind::DividingAngle:
        format = "%11.4f";
        break;
    }
    setText(QString::fromStdString(Sprintf(format, value)));
    committed_ = text();
}

void CalcNumberEdit::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        QLineEdit::keyPressEvent(event);
        if (hasFocus()) {
            focusNextPrevChild(true);
        }
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        focusNextPrevChild(false);
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint()) {
        const QChar c = typed[0];
        const bool digit = c >= QChar('0') && c <= QChar('9');
        const bool secondPoint = c == QChar('.') && text().remove(selectedText()).contains('.');
        if ((!digit && c != QChar('.') && c != QChar('-')) || secondPoint) {
            SystemBeep::Beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CalcNumberEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    setText(text().trimmed());
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void CalcNumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (LeftByUser(event)) {
        commit();
    }
}

void CalcNumberEdit::commit() {
    const QString before = committed_;
    const auto number = TryStrToFloat(text().trimmed().toStdString());
    setValue(number.value_or(0.0));
    if (text() != before) {
        emit valueChanged();
    }
}

} // namespace vemo
