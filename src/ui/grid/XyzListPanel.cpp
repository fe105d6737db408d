#include "ui/grid/XyzListPanel.h"

#include "core/edit/Shift.h"
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/Hint.h"
#include "ui/common/MessageBox.h"
#include "ui/grid/ShiftPanel.h"
#include "ui/grid/XyzCleanDialog.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/grid/XyzTableModel.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace vemo {

void ToggleIndicator::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

XyzListPanel::XyzListPanel(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    grid_ = new XyzStrGrid(store.xyz, this);
    shiftPanel_ = new ShiftPanel(this);
    shiftPanel_->hide();
    cleanDialog_ = new XyzCleanDialog(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolRow());
    layout->addWidget(shiftPanel_);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);
    buildActions();
    connectGrid();
}

QWidget* XyzListPanel::buildToolRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 1, 2, 1);
    auto box = [&](const QString& caption) {
        auto* check = new QCheckBox(caption, row);
        check->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(check);
        return check;
    };
    zBox_ = box(QStringLiteral("Ｚ座標"));
    tensyuBox_ = box(QStringLiteral("点種"));
    bikoBox_ = box(QStringLiteral("備考"));
    shiftBox_ = box(QStringLiteral("Shift"));
    SetHint(shiftBox_, QStringLiteral("入力補助|接頭部分の数値を自動加算し，公共座標の入力を補助をします"));
    addIndicators(row, layout);
    layout->addStretch();
    // FindXyzEdit: not a stop of the Tab key, and no input method (names are typed in ASCII).
    findEdit_ = new QLineEdit(QStringLiteral("T*"), row);
    findEdit_->setFocusPolicy(Qt::ClickFocus);
    findEdit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    findEdit_->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    SetHint(findEdit_, QStringLiteral("検索文字入力|「点名」完全一致　「点名*」先頭一致　「*点名*」部分一致"));
    layout->addWidget(findEdit_);
    auto button = [&](const QString& text, const QString& hint, void (XyzListPanel::*slot)()) {
        auto* tool = new QToolButton(row);
        tool->setText(text);
        tool->setFocusPolicy(Qt::NoFocus);
        tool->setAutoRaise(true);
        SetHint(tool, hint);
        connect(tool, &QToolButton::clicked, this, slot);
        layout->addWidget(tool);
    };
    button(QStringLiteral("↓"), QStringLiteral("下方向検索|現在のカーソル位置から下方向に向かってい検索します"),
           &XyzListPanel::findDown);
    button(QStringLiteral("↑"), QStringLiteral("上方向検索|現在のカーソル位置から上方向に向かってい検索します"),
           &XyzListPanel::findUp);
    return row;
}

void XyzListPanel::addIndicators(QWidget* row, QHBoxLayout* layout) {
    enterIndicator_ = new ToggleIndicator(QStringLiteral(" → "), row);
    incIndicator_ = new ToggleIndicator(QStringLiteral(" Inc "), row);
    for (QLabel* indicator : {static_cast<QLabel*>(enterIndicator_), static_cast<QLabel*>(incIndicator_)}) {
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        layout->addWidget(indicator);
    }
    SetHint(
        enterIndicator_,
        QStringLiteral("カーソル移動方向|ダブルクリックすることによりEnterを押したときのカーソル移動方向を指定します"));
    SetHint(incIndicator_, QStringLiteral("点名自動増減|ダブルクリックすることにより新点名の自動増減を指定します"));
}

void XyzListPanel::buildActions() {
    // Captions show the main window's keys; the keys themselves belong to the main window's commands.
    auto add = [&](const QString& caption, const QString& key, const QString& hint, void (XyzListPanel::*slot)()) {
        auto* action = new QAction(key.isEmpty() ? caption : caption + u'\t' + key, this);
        SetHint(action, hint);
        connect(action, &QAction::triggered, this, slot);
        ownActions_.append(action);
        return action;
    };
    auto separator = [&] {
        auto* action = new QAction(this);
        action->setSeparator(true);
        ownActions_.append(action);
    };
    add(QStringLiteral("一行挿入"), QStringLiteral("Ctrl+Ins"), QStringLiteral("|カーソル行に空白行を一行挿入します"),
        &XyzListPanel::insertRow);
    add(QStringLiteral("一行削除"), QStringLiteral("Ctrl+Del"), QStringLiteral("|カーソル行を一行削除します"),
        &XyzListPanel::deleteRow);
    separator();
    zAction_ = add(QStringLiteral("Z座標入力"), QStringLiteral("Ctrl+F5"), {}, &XyzListPanel::toggleZInput);
    tensyuAction_ = add(QStringLiteral("点種入力"), QStringLiteral("Ctrl+F6"), {}, &XyzListPanel::toggleTensyuInput);
    bikoAction_ = add(QStringLiteral("備考入力"), QStringLiteral("Ctrl+F7"), {}, &XyzListPanel::toggleBikoInput);
    shiftAction_ = add(QStringLiteral("入力補助"), QStringLiteral("Ctrl+F4"),
                       QStringLiteral("入力補助|接頭部分の数値を自動加算し，公共座標の入力を補助をします"),
                       &XyzListPanel::toggleShiftInput);
    for (QAction* action : {zAction_, tensyuAction_, bikoAction_, shiftAction_}) {
        action->setCheckable(true);
    }
    separator();
    add(QStringLiteral("検索↓(&F)"), QStringLiteral("F3"),
        QStringLiteral("下方向検索|現在のカーソル位置から下方向に向かってい検索します"), &XyzListPanel::findDown);
    add(QStringLiteral("検索↑(&G)"), QStringLiteral("F4"),
        QStringLiteral("上方向検索|現在のカーソル位置から上方向に向かってい検索します"), &XyzListPanel::findUp);
    separator();
    add(QStringLiteral("座標整理"), {}, QStringLiteral("重複整理|重複した点番・座標値を削除します"),
        &XyzListPanel::clean);
    add(QStringLiteral("エディタ起動(&E)"), QStringLiteral("Ctrl+E"), {}, &XyzListPanel::editInEditor);
    menuActions_ = ownActions_;
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, &XyzListPanel::showContextMenu);
}

void XyzListPanel::connectGrid() {
    connect(zBox_, &QCheckBox::clicked, this, [this] { toggleColumn(kColZ); });
    connect(tensyuBox_, &QCheckBox::clicked, this, [this] { toggleColumn(kColTensyu); });
    connect(bikoBox_, &QCheckBox::clicked, this, [this] { toggleColumn(kColBiko); });
    connect(shiftBox_, &QCheckBox::clicked, this, &XyzListPanel::setShiftInput);
    connect(grid_, &XyzStrGrid::columnSwitchesChanged, this, [this](const ColumnSwitches& switches) {
        zBox_->setChecked(switches.z);
        tensyuBox_->setChecked(switches.tensyu);
        bikoBox_->setChecked(switches.biko);
        zAction_->setChecked(switches.z);
        tensyuAction_->setChecked(switches.tensyu);
        bikoAction_->setChecked(switches.biko);
    });
    connect(enterIndicator_, &ToggleIndicator::doubleClicked, this,
            [this] { grid_->setEnterGoesDown(!grid_->enterGoesDown()); });
    connect(incIndicator_, &ToggleIndicator::doubleClicked, this,
            [this] { grid_->setIncrementNames(!grid_->incrementNames()); });
    connect(grid_, &XyzStrGrid::enterDirectionChanged, this,
            [this](bool down) { enterIndicator_->setText(down ? QStringLiteral(" ↓ ") : QStringLiteral(" → ")); });
    connect(grid_, &XyzStrGrid::incrementChanged, this,
            [this](bool inc) { incIndicator_->setText(inc ? QStringLiteral(" Inc ") : QStringLiteral(" Dec ")); });
    connect(grid_, &XyzStrGrid::fitAllRequested, this, &XyzListPanel::fitAllRequested);
    connect(shiftPanel_, &ShiftPanel::valuesChanged, this,
            [this](const ShiftValues& values) { grid_->setShiftInput(shiftInput(), values); });
    connect(shiftPanel_, &ShiftPanel::shiftAllRequested, this, &XyzListPanel::shiftAll);
    connect(shiftPanel_, &ShiftPanel::shiftDownRequested, this, &XyzListPanel::shiftDown);
}

void XyzListPanel::setContextMenuActions(QList<QAction*> actions) {
    menuActions_ = actions.isEmpty() ? ownActions_ : std::move(actions);
}

void XyzListPanel::showContextMenu(const QPoint& pos) {
    QMenu menu(this);
    menu.addActions(menuActions_);
    menu.exec(grid_->viewport()->mapToGlobal(pos));
}

void XyzListPanel::setUpperChr(bool on) {
    cleanDialog_->setUpperChr(on);
}

bool XyzListPanel::shiftInput() const {
    return shiftBox_->isChecked();
}

void XyzListPanel::insertRow() {
    RunCommand([this] { grid_->insertRow(); }, this); // a full list takes no more rows
}

void XyzListPanel::deleteRow() {
    grid_->deleteRow();
}

void XyzListPanel::toggleColumn(int col) {
    ColumnSwitches switches = grid_->columnSwitches();
    bool& flag = col == kColZ ? switches.z : col == kColTensyu ? switches.tensyu : switches.biko;
    flag = !flag;
    grid_->setColumnSwitches(switches);
    grid_->setFocus();
}

void XyzListPanel::toggleZInput() {
    toggleColumn(kColZ);
}

void XyzListPanel::toggleTensyuInput() {
    toggleColumn(kColTensyu);
}

void XyzListPanel::toggleBikoInput() {
    toggleColumn(kColBiko);
}

void XyzListPanel::toggleShiftInput() {
    setShiftInput(!shiftInput());
}

void XyzListPanel::setShiftInput(bool on) {
    shiftBox_->setChecked(on);
    shiftAction_->setChecked(on);
    shiftPanel_->setVisible(on);
    grid_->setShiftInput(on, shiftPanel_->values());
    emit shiftInputChanged(on);
    if (on) {
        shiftPanel_->field(0)->setFocus(Qt::OtherFocusReason);
        shiftPanel_->field(0)->selectAll();
    } else {
        grid_->setFocus();
    }
}

void XyzListPanel::find(bool downward) {
    std::optional<std::string> pattern = ToCp932(findEdit_->text());
    grid_->findPoint(pattern.value_or(std::string()), downward);
}

void XyzListPanel::findDown() {
    find(true);
}

void XyzListPanel::findUp() {
    find(false);
}

void XyzListPanel::applyShiftRows(int fromRow) {
    grid_->commitEditor();
    RunCommand([&] { ShiftRows(store_.xyz, fromRow, shiftPanel_->values()); }, this);
}

void XyzListPanel::shiftAll() {
    applyShiftRows(1);
}

void XyzListPanel::shiftDown() {
    applyShiftRows(grid_->currentCell().row);
}

} // namespace vemo
