#include "ui/main/StatusPanels.h"

#include "core/text/MessagesMain.h"
#include "ui/common/Cp932Text.h"

#include <QLabel>
#include <QStatusBar>

namespace vemo {
namespace {

QLabel* Panel(QStatusBar* bar, int minimumWidth, int stretch) {
    auto* label = new QLabel(bar);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    bar->addPermanentWidget(label, stretch);
    return label;
}

} // namespace

StatusPanels::StatusPanels(QStatusBar* bar) : QObject(bar) {
    const int lockWidth = bar->fontMetrics().horizontalAdvance(QStringLiteral("Caps")) + 16;
    caps_ = Panel(bar, lockWidth, 0);
    num_ = Panel(bar, lockWidth, 0);
    text_ = Panel(bar, 100, 1);
    unsaved_ = Panel(bar, 0, 0);
}

void StatusPanels::setUnsaved(bool unsaved) {
    unsaved_->setText(unsaved ? FromCp932(msg::UnsavedChanges()) : QString());
}

QString StatusPanels::unsavedText() const {
    return unsaved_->text();
}

void StatusPanels::setLocks(bool capsLock, bool numLock) {
    caps_->setText(capsLock ? QStringLiteral("Caps") : QString());
    num_->setText(numLock ? QStringLiteral("Num") : QString());
}

void StatusPanels::setText(const QString& text) {
    text_->setText(text);
}

QString StatusPanels::capsText() const {
    return caps_->text();
}

QString StatusPanels::numText() const {
    return num_->text();
}

QString StatusPanels::text() const {
    return text_->text();
}

} // namespace vemo
