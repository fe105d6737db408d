#include "ui/tree/RegistryMapDialog.h"

#include "ui/help/HelpKey.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo {

namespace {

constexpr int kRegistryMapHelpTopic = 90; // help/task-registrymap.html

std::optional<std::optional<RegistryMapChoice>>& ScriptedChoice() {
    static std::optional<std::optional<RegistryMapChoice>> choice;
    return choice;
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidgetItem* Cell(const QString& text, bool drawn, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    if (!drawn) {
        item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
    }
    return item;
}

} // namespace

RegistryMapDialog::RegistryMapDialog(const std::vector<RegistryMapParcelEntry>& parcels, const QString& summary,
                                     QWidget* parent)
    : QDialog(parent), parcels_(parcels) {
    setWindowTitle(QStringLiteral("登記所備付地図データの取込"));
    setProperty(HelpKey::kProperty, kRegistryMapHelpTopic);
    auto* layout = new QVBoxLayout(this);
    auto* info = new QLabel(summary, this);
    info->setWordWrap(true);
    layout->addWidget(info);
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("大字・地番で検索"));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);

    table_ = new QTableWidget(static_cast<int>(parcels_.size()), 4, this);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("大字・丁目"), QStringLiteral("地番"), QStringLiteral("面積(㎡)"), QStringLiteral("精度区分")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(parcels_.size()); ++row) {
        const RegistryMapParcelEntry& p = parcels_[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, Cell(Utf8(p.oaza), p.drawn));
        table_->setItem(row, 1, Cell(Utf8(p.chiban), p.drawn));
        table_->setItem(row, 2,
                        Cell(p.drawn ? QString::number(p.area, 'f', 2) : QStringLiteral("（描画なし）"), p.drawn,
                             Qt::AlignRight | Qt::AlignVCenter));
        table_->setItem(row, 3, Cell(Utf8(p.precision), p.drawn));
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    adjacent_ = new QCheckBox(QStringLiteral("隣接する筆（境界点を共有する筆）も取り込む"), this);
    adjacent_->setChecked(true);
    layout->addWidget(adjacent_);
    auto* hint = new QLabel(
        QStringLiteral("選んだ筆とその点だけを取り込みます。何も選ばないときはすべての筆を取り込みます。"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("取込"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search_, &QLineEdit::textChanged, this, &RegistryMapDialog::filter);
    resize(560, 520);
    search_->setFocus();
}

void RegistryMapDialog::filter(const QString& text) {
    const QString wanted = text.trimmed();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QString place = table_->item(row, 0)->text() + table_->item(row, 1)->text();
        table_->setRowHidden(row, !wanted.isEmpty() && !place.contains(wanted) &&
                                      !table_->item(row, 1)->text().startsWith(wanted));
    }
}

RegistryMapChoice RegistryMapDialog::choice() const {
    RegistryMapChoice choice;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        const RegistryMapParcelEntry& p = parcels_[static_cast<std::size_t>(index.row())];
        if (p.drawn && !table_->isRowHidden(index.row())) {
            choice.chibans.push_back(p.name);
        }
    }
    choice.withAdjacent = !choice.chibans.empty() && adjacent_->isChecked();
    return choice;
}

std::optional<RegistryMapChoice>
RegistryMapDialog::Choose(QWidget* parent, const std::vector<RegistryMapParcelEntry>& parcels, const QString& summary) {
    if (ScriptedChoice()) {
        std::optional<RegistryMapChoice> answer = *ScriptedChoice();
        ScriptedChoice().reset();
        return answer;
    }
    RegistryMapDialog dialog(parcels, summary, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

void RegistryMapDialog::setNextChoice(std::optional<RegistryMapChoice> choice) {
    ScriptedChoice() = std::move(choice);
}

} // namespace vemo
