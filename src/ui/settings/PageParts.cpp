#include "ui/settings/PageParts.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vemo {

QGroupBox* MakeRadioGroup(const QString& title, const char* name, std::initializer_list<const char*> captions,
                          QButtonGroup*& group, Qt::Orientation orientation) {
    auto* box = new QGroupBox(title);
    auto* layout = new QBoxLayout(orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, box);
    group = new QButtonGroup(box);
    int id = 0;
    for (const char* caption : captions) {
        auto* button = new QRadioButton(QString::fromUtf8(caption));
        button->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(id));
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    return box;
}

void SetChoice(QButtonGroup* group, int index) {
    QAbstractButton* button = group->button(index);
    if (button == nullptr) {
        button = group->button(0);
    }
    button->setChecked(true);
}

int Choice(const QButtonGroup* group) {
    return std::max(0, group->checkedId());
}

QString FolderWithoutTrailingSeparator(const QString& folder) {
    QString result = QDir::toNativeSeparators(folder);
    while (result.size() > 1 && result.endsWith(QDir::separator())) {
        result.chop(1);
    }
    return result;
}

void ChooseFolderInto(QLineEdit* field) {
    const QString folder =
        QFileDialog::getExistingDirectory(field->window(), QStringLiteral("フォルダを選んで下さい"), field->text());
    if (!folder.isEmpty()) {
        field->setText(FolderWithoutTrailingSeparator(folder));
    }
}

void ChooseProgramInto(QLineEdit* field) {
    const QString file =
        QFileDialog::getOpenFileName(field->window(), QString(), field->text(),
                                     QStringLiteral("実行ファイル (*);;シェルスクリプト (*.sh);;その他 (*.*)"));
    if (!file.isEmpty()) {
        field->setText(QDir::toNativeSeparators(file));
    }
}

QLineEdit* AddBrowseRow(QGridLayout* grid, int row, const QString& caption, void (*choose)(QLineEdit*),
                        const QString& objectName) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    auto* browse = new QPushButton(QStringLiteral("参照"));
    browse->setAutoDefault(false);
    QObject::connect(browse, &QPushButton::clicked, field, [field, choose] { choose(field); });
    if (!caption.isEmpty()) {
        grid->addWidget(new QLabel(caption), row, 0);
    }
    grid->addWidget(field, row, 1);
    grid->addWidget(browse, row, 2);
    return field;
}

} // namespace vemo
