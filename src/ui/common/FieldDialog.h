#pragma once

#include <QDialog>

class QKeyEvent;

namespace vemo {

// A dialog of fields typed one after another: Enter moves on to the next field, as everywhere in the
// program, and presses a button that has the focus (the last field leads to OK).
class FieldDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vemo
