#include "ui/traverse/PrecisionSheetDialog.h"

#include "core/text/Cp932.h"
#include "core/text/MessagesPrecision.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vemo {
namespace {

// The fields of the heading in the order of the form, with their captions.
template <class Info, class Visit> void EachField(Info& info, Visit visit) {
    visit("作業名", info.work);
    visit("地区名", info.area);
    visit("計画機関", info.client);
    visit("作業機関", info.contractor);
    visit("作業期間", info.period);
    visit("主任技術者", info.chief);
    visit("使用機器", info.instruments);
}

} // namespace

PrecisionSheetDialog::PrecisionSheetDialog(const PrecisionSheetInfo& info, QWidget* parent) : FieldDialog(parent) {
    setProperty("helpContext", 34); // F1: the page of the precision checks
    setWindowTitle(QString::fromUtf8("精度管理表の見出し"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    size_t index = 0;
    EachField(info, [&](const char* caption, const std::string& value) {
        auto* edit = new QLineEdit(FromCp932(value), this);
        edit->setMinimumWidth(320);
        form->addRow(QString::fromUtf8(caption), edit);
        fields_[index++] = edit;
    });
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QString::fromUtf8("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    fields_[0]->setFocus();
}

PrecisionSheetInfo PrecisionSheetDialog::info() const {
    PrecisionSheetInfo info;
    size_t index = 0;
    EachField(info, [&](const char*, std::string& value) { value = ToCp932OrThrow(fields_[index++]->text()); });
    return info;
}

void PrecisionSheetDialog::accept() {
    size_t index = 0;
    bool good = true;
    PrecisionSheetInfo info;
    EachField(info, [&](const char* caption, std::string&) {
        QLineEdit* edit = fields_[index++];
        if (good && !ToCp932(edit->text())) {
            good = false;
            MessageBox::ShowCp932(this, msg::SheetHeadingNotCp932(Jp(caption)), MessageBox::Kind::Warning);
            edit->setFocus();
        }
    });
    if (good) {
        QDialog::accept();
    }
}

} // namespace vemo
