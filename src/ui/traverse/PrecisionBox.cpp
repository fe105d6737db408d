#include "ui/traverse/PrecisionBox.h"

#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

namespace vemo {
namespace {

// The close button and margins of a title bar under the common window managers.
constexpr int kTitleButtonsWidth = 120;

} // namespace

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
    // A fixed-size box is as wide as its lines; the title bar needs room for the whole title beside
    // the window buttons (" 結合トラバース - 精度計算" was cut).
    layout->addStrut(QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle()) * 5 /
                         4 +
                     kTitleButtonsWidth);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList PrecisionBox::Lines() const {
    return lines_;
}

} // namespace vemo
