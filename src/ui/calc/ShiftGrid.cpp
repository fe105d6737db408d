#include "ui/calc/ShiftGrid.h"

#include "core/store/Store.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"
#include "core/text/MessagesNotices.h"
#include "core/text/Numbers.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/MessageBox.h"
#include "ui/common/NameCellDelegate.h"
#include "ui/common/SystemBeep.h"
#include "ui/grid/GridRowOps.h"

#include <QAction>
#include <QHeaderView>

namespace vemo {

namespace {
constexpr int kName = 1;
constexpr int kWidth = 2;
} // namespace

ShiftGrid::ShiftGrid(const Store* store, QWidget* parent) : QTableWidget(1, 3, parent), store_(store) {
    setFont(GridFont());
    verticalHeader()->hide();
    // Rows of 15/6 of the width of a "0", as compact as the coordinate list.
    verticalHeader()->setDefaultSectionSize(DigitWidth(font()) * 15 / 6);
    setHorizontalHeaderLabels({QStringLiteral(" № "), QStringLiteral("   点名   "), QStringLiteral("   巾員   ")});
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    ConfirmNamesOnEnter(this, kName, [this](int row, const QString& text) { enterName(row, text); });
    ConfirmNamesOnEnter(this, kWidth, [this](int row, const QString& text) { enterWidth(row, text); });
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* insert = new QAction(QStringLiteral("一行挿入"), this);
    insert->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    connect(insert, &QAction::triggered, this, [this] {
        GridInsertRow(*this, 0);
        if (textAt(currentRow(), kWidth).isEmpty()) {
            setRowTexts(currentRow(), QString(), QStringLiteral("0.000"));
        }
    });
    auto* remove = new QAction(QStringLiteral("一行削除"), this);
    remove->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(remove, &QAction::triggered, this, [this] {
        GridDeleteRow(*this, 0);
        emit pathChanged();
    });
    for (QAction* action : {insert, remove}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    clearPath();
}

QString ShiftGrid::textAt(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void ShiftGrid::setRowTexts(int row, const QString& name, const QString& width) {
    const QString texts[] = {QString::number(row + 1), name, width};
    for (int column = 0; column < 3; ++column) {
        QTableWidgetItem* cell = item(row, column);
        if (!cell) {
            cell = new QTableWidgetItem;
            if (column == 0) {
                cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
            }
            setItem(row, column, cell);
        }
        cell->setText(texts[column]);
    }
}

void ShiftGrid::clearPath() {
    setRowCount(0);
    setRowCount(1);
    setRowTexts(0, QString(), QStringLiteral("0.000"));
    setCurrentCell(0, kName);
}

std::vector<std::string> ShiftGrid::pathNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < rowCount(); ++row) {
        const std::string name = ToCp932(textAt(row, kName).trimmed()).value_or(std::string());
        if (name.empty()) {
            break;
        }
        names.push_back(name);
    }
    return names;
}

std::vector<double> ShiftGrid::pathWidths() const {
    std::vector<double> widths;
    for (int row = 0; row < rowCount(); ++row) {
        widths.push_back(TryStrToFloat(textAt(row, kWidth).toStdString()).value_or(0.0));
    }
    return widths;
}

void ShiftGrid::enterName(int row, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        return;
    }
    const std::string name = ToCp932(text).value_or(std::string());
    std::string refusal;
    if (row > 0 && textAt(row - 1, kName).trimmed() == text) {
        refusal = msg::SameAsPreviousPointIn(name, msg::ShiftPathGrid());
    } else if (!store_ || !store_->FindPointXY(name)) {
        refusal = msg::NotFound(name);
    }
    if (!refusal.empty()) {
        SystemBeep::Beep();
        MessageBox::ShowCp932(this, refusal);
        setRowTexts(row, QString(), textAt(row, kWidth));
        setCurrentCell(row, kName);
        return;
    }
    setRowTexts(row, text, textAt(row, kWidth));
    setCurrentCell(row, kWidth);
    emit pathChanged();
}

void ShiftGrid::enterWidth(int row, const QString& typed) {
    const QString text = typed.trimmed().isEmpty() ? QStringLiteral("0") : typed.trimmed();
    const auto width = TryStrToFloat(text.toStdString());
    if (!width) {
        SystemBeep::Beep();
        return;
    }
    setRowTexts(row, textAt(row, kName), QString::fromStdString(FormatPattern(*width, "0.000")));
    if (row == rowCount() - 1 && !textAt(row, kName).trimmed().isEmpty()) {
        setRowCount(row + 2);
        setRowTexts(row + 1, QString(), QStringLiteral("0.000"));
    }
    setCurrentCell(std::min(row + 1, rowCount() - 1), kName);
    emit pathChanged();
}

bool ShiftGrid::takePointName(const std::string& cp932) {
    if (currentColumn() != kName) {
        return false;
    }
    enterName(std::max(currentRow(), 0), FromCp932(cp932));
    return true;
}

} // namespace vemo
