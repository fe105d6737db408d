#pragma once

#include <QLineEdit>

class QPushButton;

#include <functional>
#include <string>

namespace vemo {

// Gives the focus to the control after `from` in the tab order (skipping what cannot take it).
void FocusNextControl(QWidget* from);

// A command button of the calculation windows.  It never becomes the default button, so the Enter that
// confirms a field moves on instead of pressing it.
QPushButton* CalcButton(const QString& text, QWidget* parent);

// A point-name field of the calculation window.  Typed letters become upper case (UpperChr).  On
// leaving it, a non-empty name that `acceptable` refuses (not in the list, or the first point of the
// same line again) beeps and keeps the focus, so a line or circle is never left holding a point that
// cannot be computed.
class CalcNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CalcNameEdit(QWidget* parent = nullptr);

    void setAcceptable(std::function<bool(const std::string& cp932)> acceptable) {
        acceptable_ = std::move(acceptable);
    }
    // Asked at every key, so that a change of the setting applies at once; empty means on.
    void setUpperCase(std::function<bool()> upperCase) { upperCase_ = std::move(upperCase); }
    // The name as CP932 (empty when the text has no CP932 form).
    std::string name() const;
    void setName(const std::string& cp932);
    // True when the text is empty or acceptable.
    bool isAcceptable() const;

signals:
    // The field was left (or confirmed with Enter) holding an acceptable name that differs from the
    // one it held when it was last left.
    void nameChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<bool(const std::string&)> acceptable_;
    std::function<bool()> upperCase_;
    QString committed_;
};

// A numeric field: only digits, ".", "-" and backspace, one "." at most.  Entering it trims and selects
// its text; leaving it writes an empty text back as 0 in the field's format ("%9.4f" for directions,
// "%10.3f" for lengths).
class CalcNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Direction, Length, Area, DividingAngle };
    explicit CalcNumberEdit(Kind kind, QWidget* parent = nullptr);

    double value() const;
    void reset(); // "   0.0000" or "     0.000"
    void setValue(double value);

signals:
    // The field was left (or confirmed) with a value that differs from the one it held before.
    void valueChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void commit();
    Kind kind_;
    QString committed_;
};

} // namespace vemo
