#include "ui/calc/TransformPage.h"
#include "ui/calc/RunCalculation.h"

#include "core/calc/CalcEntry.h"
#include "core/store/Store.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/GridResultTxt.h"
#include "ui/calc/GridRowActions.h"
#include "ui/calc/TransformDialog.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/MessageBox.h"
#include "ui/common/NameCellDelegate.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo {

namespace {

constexpr int kOldColumn = 1;
constexpr int kNewColumn = 2;

} // namespace

TransformPage::TransformPage(const CalcDefinition& definition, CalcHost& host, QWidget* parent)
    : CalcPage(host, parent), definition_(definition) {
    grid_ = new QTableWidget(1, 3, this);
    grid_->setFont(GridFont());
    grid_->verticalHeader()->hide();
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral(" № "), QStringLiteral("点名(旧系)"), QStringLiteral("点名(新系)")});
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    for (int column : {kOldColumn, kNewColumn}) {
        ConfirmNamesOnEnter(grid_, column,
                            [this, column](int row, const QString& text) { enterName(row + 1, column, text); });
    }
    const int digit = DigitWidth(grid_->font());
    grid_->setColumnWidth(0, 5 * digit + 8);
    grid_->setColumnWidth(kOldColumn, 12 * digit + 8);
    grid_->setColumnWidth(kNewColumn, 12 * digit + 8);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (column == 0 && row >= 0) {
            grid_->setCurrentCell(row, kOldColumn);
        }
    });
    // A click in the grid opens the method choice again, unless the pairs over-determine the
    // two-point fit.
    connect(grid_, &QTableWidget::cellClicked, this, &TransformPage::lockMethod);
    AddGridRowActions(*grid_, [this] {
        relabel();
        lockMethod();
    });
    AddResultTxtActions(*grid_, host_, [this] { return GridCellsText(*grid_); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_, 1);
    layout->addWidget(buildMethod());
    layout->addWidget(buildCommands());
    clear();
}

QWidget* TransformPage::buildMethod() {
    methodGroup_ = new QGroupBox(QStringLiteral("変換方法"), this);
    auto* layout = new QHBoxLayout(methodGroup_);
    twoPoint_ = new QRadioButton(QStringLiteral("２点変換"), methodGroup_);
    helmert_ = new QRadioButton(QStringLiteral("ヘルマート変換"), methodGroup_);
    auto* group = new QButtonGroup(methodGroup_);
    group->addButton(twoPoint_, 0);
    group->addButton(helmert_, 1);
    layout->addWidget(twoPoint_);
    layout->addWidget(helmert_);
    twoPoint_->setChecked(true);
    return methodGroup_;
}

QWidget* TransformPage::buildCommands() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* select = CalcButton(QStringLiteral("座標選択(&S)"), row);
    run_ = CalcButton(QStringLiteral("計算実行(&E)"), row);
    auto* clearButton = CalcButton(QStringLiteral("クリア(&L)"), row);
    auto* cancel = CalcButton(QStringLiteral("ｷｬﾝｾﾙ"), row);
    for (QPushButton* button : {select, run_, clearButton, cancel}) {
        layout->addWidget(button);
    }
    connect(select, &QPushButton::clicked, this, [this] {
        if (host_.toggleSelection) {
            host_.toggleSelection();
        }
    });
    connect(run_, &QPushButton::clicked, this, &TransformPage::run);
    connect(clearButton, &QPushButton::clicked, this, [this] {
        clear();
        focusFirstInput();
    });
    connect(cancel, &QPushButton::clicked, this, &CalcPage::closeRequested);
    return row;
}

void TransformPage::clear() {
    grid_->setRowCount(0);
    grid_->setRowCount(1);
    relabel();
    grid_->setCurrentCell(0, kOldColumn);
    twoPoint_->setChecked(true);
    methodGroup_->setEnabled(true);
    setOverlay({});
}

void TransformPage::focusFirstInput() {
    grid_->setFocus();
    grid_->setCurrentCell(grid_->rowCount() - 1, kOldColumn);
}

bool TransformPage::takePointName(const std::string& cp932) {
    const int row = grid_->currentRow() < 0 ? grid_->rowCount() : grid_->currentRow() + 1;
    const int column = grid_->currentColumn() == kNewColumn ? kNewColumn : kOldColumn;
    enterName(row, column, FromCp932(cp932));
    return true;
}

QString TransformPage::cell(int row, int column) const {
    const QTableWidgetItem* item = grid_->item(row - 1, column);
    return item ? item->text().trimmed() : QString();
}

void TransformPage::setCell(int row, int column, const QString& text) {
    if (grid_->rowCount() < row) {
        grid_->setRowCount(row);
    }
    grid_->setItem(row - 1, column, new QTableWidgetItem(text));
}

void TransformPage::enterName(int row, int column, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty() || !host_.store) {
        return;
    }
    std::vector<std::string> names;
    for (int r = 1; r <= std::max(row, grid_->rowCount()); ++r) {
        names.push_back(ToCp932(cell(r, column)).value_or(std::string()));
    }
    const std::string name = ToCp932(text).value_or(std::string());
    const std::string refusal =
        GridNameRefusal(names, row, name, false, host_.store->Index(), ToCp932OrThrow(QStringLiteral("座標変換")));
    if (!refusal.empty()) {
        MessageBox::ShowCp932(this, refusal);
        setCell(row, column, QString());
        grid_->setFocus();
        grid_->setCurrentCell(row - 1, column);
        return;
    }
    setCell(row, column, text);
    if (column == kOldColumn) {
        grid_->setCurrentCell(row - 1, kNewColumn);
    } else {
        if (grid_->rowCount() == row) {
            grid_->setRowCount(row + 1);
        }
        grid_->setCurrentCell(row, kOldColumn);
    }
    relabel();
    lockMethod();
}

void TransformPage::relabel() {
    for (int row = 1; row <= grid_->rowCount(); ++row) {
        auto* item = new QTableWidgetItem(row == 1 ? QStringLiteral("   1") : QString::number(row));
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(row - 1, 0, item);
    }
}

std::vector<std::pair<std::string, std::string>> TransformPage::pairRows() const {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int row = 1; row <= grid_->rowCount(); ++row) {
        const auto oldName = ToCp932(cell(row, kOldColumn)).value_or(std::string());
        const auto newName = ToCp932(cell(row, kNewColumn)).value_or(std::string());
        if (oldName.empty() || newName.empty()) {
            break;
        }
        pairs.emplace_back(oldName, newName);
    }
    return pairs;
}

void TransformPage::lockMethod() {
    methodGroup_->setEnabled(EffectiveMethod(TransformMethod::TwoPoint, static_cast<int>(pairRows().size())) ==
                             TransformMethod::TwoPoint);
}

TransformMethod TransformPage::method() const {
    const TransformMethod chosen = helmert_->isChecked() ? TransformMethod::Helmert : TransformMethod::TwoPoint;
    return EffectiveMethod(chosen, static_cast<int>(pairRows().size()));
}

void TransformPage::setMethod(TransformMethod method) {
    (method == TransformMethod::Helmert ? helmert_ : twoPoint_)->setChecked(true);
}

void TransformPage::run() {
    if (!host_.store) {
        return;
    }
    const std::vector<std::string> selection =
        host_.selectedPoints ? host_.selectedPoints() : std::vector<std::string>{};
    RunCommand(
        [&] {
            // The selection and the pairs as the calculation takes them, names joined by ','.
            CalcArguments arguments;
            arguments.Set("", NamesText(selection));
            std::string pairs;
            for (const auto& [oldName, newName] : pairRows()) {
                pairs += (pairs.empty() ? "" : ",") + oldName + ":" + newName;
            }
            if (!pairs.empty()) {
                arguments.Set("pairs", pairs);
            }
            if (method() == TransformMethod::Helmert) {
                arguments.Set("helmert", {});
            }
            const CalcOutcome outcome = RunCalculation(definition_, arguments, *host_.store);
            TransformDialog dialog(*host_.store, *outcome.transform, selection, this);
            dialog_ = &dialog;
            const bool registered = dialog.exec() == QDialog::Accepted;
            dialog_ = nullptr;
            if (!registered) {
                return;
            }
            // The selection has served: its panel closes, the list and the plot show the new points.
            if (host_.toggleSelection) {
                host_.toggleSelection();
            }
            if (host_.pointsRegistered) {
                host_.pointsRegistered();
            }
            clear();
        },
        this);
}

} // namespace vemo
