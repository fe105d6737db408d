#include "ui/traverse/PrecisionBox.h"

#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vemo {

PrecisionBox::PrecisionBox(const std::vector<std::string>& lines, QWidget* parent) : QDialog(parent) {
    setProperty("helpContext", 32); // F1: its page of the help book
    setObjectName("SeidoBox");
    if (!lines.empty()) {
        setWindowTitle(FromCp932(lines.front()));
    }
    auto* layout = new QVBoxLayout(this);
    const QFont fixed = GridFont(11);
    for (size_t i = 1; i < lines.size(); ++i) {
        lines_ << FromCp932(lines[i]);
        auto* label = new QLabel(lines_.back(), this);
        label->setFont(fixed);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList PrecisionBox::Lines() const {
    return lines_;
}

} // namespace vemo
