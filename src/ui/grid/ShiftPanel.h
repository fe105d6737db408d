#pragma once

#include "core/edit/Shift.h"

#include <QLineEdit>
#include <QWidget>

class QPushButton;

namespace vemo {

// One shift field of the input assist: a signed decimal number.  Only digits, ".", "-" and backspace
// are taken, and a second "." or "-" only when it replaces a selection holding the first one.  On
// entering, the text is trimmed and selected; on leaving it is written back in its fixed width.
class ShiftField : public QLineEdit {
    Q_OBJECT
public:
    // `format` is the printf form written back ("%11.3f" for X and Y, "%9.3f" for Z).
    ShiftField(const char* format, QWidget* parent = nullptr);

    double value() const { return value_; }
    // Reads the text; an empty field counts as 0.  A text that is no number shows the conversion
    // message and brings back the last value.
    void finish();

signals:
    void valueChanged(double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool accepts(QChar c) const;
    void showValue();

    const char* format_;
    double value_ = 0;
};

// The input-assist panel above the grid: the shift values X, Y, Z and the buttons "一括" (every row)
// and "下方向" (from the cursor row down).
class ShiftPanel : public QWidget {
    Q_OBJECT
public:
    explicit ShiftPanel(QWidget* parent = nullptr);

    ShiftValues values() const;
    // Reads every field as on leaving it.
    void finishFields();
    ShiftField* field(int axis) const { return fields_[axis]; } // 0 X, 1 Y, 2 Z
    QPushButton* allButton() const { return allButton_; }
    QPushButton* downButton() const { return downButton_; }

signals:
    void valuesChanged(const vemo::ShiftValues& values);
    void shiftAllRequested();
    void shiftDownRequested();

private:
    ShiftField* fields_[3] = {};
    QPushButton* allButton_ = nullptr;
    QPushButton* downButton_ = nullptr;
};

} // namespace vemo
