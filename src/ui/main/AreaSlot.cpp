#include "ui/main/AreaSlot.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vemo {

AreaSlot::AreaSlot(const QString& name, QWidget* parent) : QWidget(parent), name_(name) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    placeholder_ = new QLabel(name, this);
    placeholder_->setAlignment(Qt::AlignCenter);
    placeholder_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(placeholder_);
}

void AreaSlot::setContent(QWidget* content) {
    if (placeholder_ != nullptr) {
        delete placeholder_;
        placeholder_ = nullptr;
    }
    if (content_ != nullptr && content_ != content) {
        delete content_;
    }
    content_ = content;
    layout()->addWidget(content);
}

void AreaSlot::focusContent() {
    if (content_ == nullptr) {
        return;
    }
    QWidget* target = content_->focusProxy() != nullptr ? content_->focusProxy() : content_;
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace vemo
