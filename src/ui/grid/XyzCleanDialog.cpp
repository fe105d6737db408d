#include "ui/grid/XyzCleanDialog.h"

#include "ui/common/Cp932Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vemo {

XyzCleanDialog::XyzCleanDialog(QWidget* parent) : FieldDialog(parent) {
    setProperty("helpContext", 60); // F1: its page of the help book
    setWindowTitle(QStringLiteral("座標整理"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildDuplicatePage(), QStringLiteral("重複整理"));
    tabs_->addTab(buildRenumberPage(), QStringLiteral("点名振替"));
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* run = buttons->addButton(QStringLiteral("実行"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    run->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* XyzCleanDialog::addEdit(const QString& text) {
    auto* edit = new QLineEdit(text, this);
    edit->installEventFilter(this);
    return edit;
}

QWidget* XyzCleanDialog::buildDuplicatePage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* keyRow = new QHBoxLayout;
    nameKey_ = new QCheckBox(QStringLiteral("点名，"), page);
    xyKey_ = new QCheckBox(QStringLiteral("X座標，Y座標，"), page);
    zKey_ = new QCheckBox(QStringLiteral("Z座標"), page);
    xyKey_->setChecked(true);
    keyRow->addWidget(nameKey_);
    keyRow->addWidget(xyKey_);
    keyRow->addWidget(zKey_);
    keyRow->addWidget(new QLabel(QStringLiteral("が重複するときに"), page));
    keyRow->addStretch();
    layout->addLayout(keyRow);

    auto* actions = new QGroupBox(page);
    auto* grid = new QGridLayout(actions);
    delete_ = new QRadioButton(QStringLiteral("削除する"), actions);
    fromOld_ = new QRadioButton(QStringLiteral("旧点名をもとに変更する"), actions);
    replace_ = new QRadioButton(QStringLiteral("新点名で置換える"), actions);
    delete_->setChecked(true);
    head_ = addEdit(QString());
    tail_ = addEdit(QStringLiteral("#"));
    newName_ = addEdit(QStringLiteral("BP-1"));
    grid->addWidget(delete_, 0, 0);
    grid->addWidget(fromOld_, 1, 0);
    grid->addWidget(head_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("旧点名"), actions), 1, 2);
    grid->addWidget(tail_, 1, 3);
    grid->addWidget(replace_, 2, 0);
    grid->addWidget(newName_, 2, 1);
    layout->addWidget(actions);
    counter_ = new QLabel(page);
    layout->addWidget(counter_);
    layout->addStretch();
    return page;
}

QWidget* XyzCleanDialog::buildRenumberPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("初期点名 :"), page));
    firstName_ = addEdit(QStringLiteral("001"));
    nameRow->addWidget(firstName_);
    nameRow->addStretch();
    layout->addLayout(nameRow);
    auto* range = new QGroupBox(page);
    auto* rangeLayout = new QVBoxLayout(range);
    fromTop_ = new QRadioButton(QStringLiteral("先頭行から一括して振替る"), range);
    fromCursor_ = new QRadioButton(QStringLiteral("カーソル行から下方向へ振替る"), range);
    fromCursor_->setChecked(true);
    rangeLayout->addWidget(fromTop_);
    rangeLayout->addWidget(fromCursor_);
    layout->addWidget(range);
    layout->addStretch();
    return page;
}

CleanupRequest XyzCleanDialog::request() const {
    CleanupRequest request;
    request.page = tabs_->currentIndex() == 0 ? CleanupRequest::Page::Duplicates : CleanupRequest::Page::Renumber;
    DuplicateOptions& options = request.duplicates;
    options.key = {nameKey_->isChecked(), xyKey_->isChecked(), zKey_->isChecked()};
    options.action = fromOld_->isChecked()   ? DuplicateAction::RenameFromOld
                     : replace_->isChecked() ? DuplicateAction::ReplaceWithNew
                                             : DuplicateAction::Delete;
    options.head = ToCp932OrThrow(head_->text());
    options.tail = ToCp932OrThrow(tail_->text());
    options.firstNewName = ToCp932OrThrow(newName_->text());
    request.firstName = ToCp932OrThrow(firstName_->text());
    request.fromCursorRow = fromCursor_->isChecked();
    return request;
}

void XyzCleanDialog::setCounter(const QString& text) {
    counter_->setText(text);
}

// With UpperChr, point names are typed in upper case as in the field books.
bool XyzCleanDialog::eventFilter(QObject* watched, QEvent* event) {
    if (upperChr_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0] >= u'a' && text[0] <= u'z') {
            QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers() | Qt::ShiftModifier, text.toUpper());
            QApplication::sendEvent(watched, &upper);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vemo
