#include "ui/main/AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vemo {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setProperty("helpContext", 1000); // F1: its page of the help book
    setWindowTitle(QStringLiteral("About Vemo"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(ProductName(), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(buttons);
}

} // namespace vemo
