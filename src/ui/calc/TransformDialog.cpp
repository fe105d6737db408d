#include "ui/calc/TransformDialog.h"

#include "core/calc/CalcEntry.h"
#include "core/store/Store.h"
#include "core/transform/RegisterTransformed.h"
#include "core/transform/TransformReport.h"
#include "ui/calc/CalcFields.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vemo {

TransformDialog::TransformDialog(Store& store, const TransformRun& run, std::vector<std::string> selection,
                                 QWidget* parent)
    : QDialog(parent), store_(store), fit_(run.fit), selection_(std::move(selection)) {
    setWindowTitle(FromCp932(TransformCaption(fit_.method)));
    setProperty("helpContext", 22); // F1: its page of the help book
    memo_ = new QPlainTextEdit(this);
    memo_->setReadOnly(true);
    memo_->setFont(GridFont());
    QStringList lines;
    for (const std::string& line : TransformReport(fit_, run.pairs)) {
        lines << FromCp932(line);
    }
    memo_->setPlainText(lines.join('\n'));
    memo_->setMinimumWidth(60 * DigitWidth(memo_->font()));
    memo_->setFixedHeight((lines.size() + 2) * memo_->fontMetrics().lineSpacing());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addWidget(buildMethods());
    auto* buttons = new QHBoxLayout;
    register_ = new QPushButton(QStringLiteral("登録"), this);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    buttons->addStretch(1);
    buttons->addWidget(register_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(register_, &QPushButton::clicked, this, &TransformDialog::registerAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    newName_->setText(FromCp932(ProposeNewPointName(store.xyz)));
    how_[0]->setFocus();
}

QWidget* TransformDialog::buildMethods() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("登録方法"), box), 0, 0, 1, 4);
    const QString texts[] = {QStringLiteral("旧系座標を計算結果で置き換える"),
                             QStringLiteral("旧系点名をもとに最終行に追加する"),
                             QStringLiteral("新に点名を付して最終行に追加する")};
    auto* group = new QButtonGroup(box);
    for (int method = 0; method < 3; ++method) {
        how_[method] = new QRadioButton(texts[method], box);
        group->addButton(how_[method], method);
        grid->addWidget(how_[method], 1 + method, 0, 1, 4);
    }
    how_[0]->setChecked(true);
    auto* prefix = new CalcNameEdit(box);
    auto* suffix = new CalcNameEdit(box);
    auto* newName = new CalcNameEdit(box);
    prefix_ = prefix;
    suffix_ = suffix;
    newName_ = newName;
    suffix_->setText(QStringLiteral("#"));
    auto* affix = new QHBoxLayout;
    affix->addSpacing(24);
    affix->addWidget(prefix_);
    affix->addWidget(new QLabel(QStringLiteral("旧点名"), box));
    affix->addWidget(suffix_);
    grid->addLayout(affix, 4, 0, 1, 4);
    auto* named = new QHBoxLayout;
    named->addSpacing(24);
    named->addWidget(newName_);
    named->addStretch(1);
    grid->addLayout(named, 5, 0, 1, 4);
    // Choosing a method goes straight to what it needs next.
    connect(group, &QButtonGroup::idClicked, this, [this](int method) {
        QWidget* next[] = {register_, prefix_, newName_};
        next[method]->setFocus();
    });
    connect(suffix_, &QLineEdit::editingFinished, this, [this] {
        if (suffix_->hasFocus()) {
            register_->setFocus();
        }
    });
    return box;
}

void TransformDialog::registerAll() {
    TransformRegistrationOptions options;
    options.how = static_cast<TransformRegistration>(how_[1]->isChecked() ? 1 : how_[2]->isChecked() ? 2 : 0);
    options.prefix = ToCp932(prefix_->text().trimmed()).value_or(std::string());
    options.suffix = ToCp932(suffix_->text().trimmed()).value_or(std::string());
    options.firstNewName = ToCp932(newName_->text().trimmed()).value_or(std::string());
    if (RunCommand([&] { RegisterTransformed(store_, fit_, selection_, options); }, this, QStringLiteral("変換登録"))) {
        accept();
    }
}

void TransformDialog::done(int result) {
    memo_->clear();
    newName_->clear();
    QDialog::done(result);
}

} // namespace vemo
