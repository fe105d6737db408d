#include "ui/calc/DivisionPage.h"
#include "core/text/MessagesNotices.h"
#include "core/text/Numbers.h"
#include "ui/calc/RunCalculation.h"

#include "core/calc/CalcEntry.h"
#include "core/calc/DivisionDrawing.h"
#include "core/calc/PointGrid.h"
#include "core/division/ParallelDivision.h"
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcGroups.h"
#include "ui/calc/DivisionDialog.h"
#include "ui/calc/GridResultCells.h"
#include "ui/calc/GridResultTxt.h"
#include "ui/calc/GridRowActions.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/MessageBox.h"
#include "ui/common/NameCellDelegate.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/SystemBeep.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

constexpr int kNameColumn = 1;
// The frame the dividing direction is drawn to: the extent of the list, 0.5 m wider on every side.
constexpr double kFrameMargin = 0.5;
// Hatching strokes: this many across the secured part's larger extent.
constexpr double kHatchStrokes = 16;

} // namespace

DivisionPage::DivisionPage(const CalcDefinition& definition, CalcHost& host, QWidget* parent)
    : CalcPage(host, parent), definition_(definition) {
    // The parcel in the layout of the open inverse computation: legs, directions and included angles.
    grid_ = new QTableWidget(1, 5, this);
    grid_->setFont(GridFont());
    grid_->verticalHeader()->hide();
    QStringList headings;
    for (const std::string& heading : GridHeadings(GridMode::InverseOpen)) {
        headings << FromCp932(heading);
    }
    grid_->setHorizontalHeaderLabels(headings);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    ConfirmNamesOnEnter(grid_, kNameColumn, [this](int row, const QString& text) { enterName(row + 1, text); });
    const int digit = DigitWidth(grid_->font());
    grid_->verticalHeader()->setDefaultSectionSize(digit * 15 / 6);
    int column = 0;
    for (const int width : {4, 10, 8, 10, 10}) {
        grid_->setColumnWidth(column++, width * digit + 8);
    }
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (column != kNameColumn && row >= 0) {
            grid_->setCurrentCell(row, kNameColumn);
        }
    });
    // A wrong vertex is taken out or one forgotten put in without clearing the boundary.
    AddGridRowActions(*grid_, [this] {
        relabel();
        refresh();
    });
    AddResultTxtActions(*grid_, host_, [this] { return GridCellsText(*grid_); });
    area_ = new QLabel(this);
    tsubo_ = new QLabel(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    insertParcel_ = CalcButton(QStringLiteral("<< 画地挿入"), this);
    connect(insertParcel_, &QPushButton::clicked, this, &DivisionPage::insertParcel);
    auto* areaRow = new QHBoxLayout;
    areaRow->addWidget(area_, 1);
    areaRow->addWidget(insertParcel_);
    layout->addWidget(grid_, 1);
    layout->addLayout(areaRow);
    layout->addWidget(tsubo_);
    layout->addWidget(buildMethod());
    layout->addWidget(buildFields());
    layout->addWidget(buildCommands());
    showMethodHint();
    clear();
}

QWidget* DivisionPage::buildMethod() {
    auto* box = new QGroupBox(QStringLiteral("分割方法"), this);
    auto* layout = new QHBoxLayout(box);
    parallel_ = new QRadioButton(QStringLiteral("平行移動"), box);
    onePoint_ = new QRadioButton(QStringLiteral("一点指定"), box);
    auto* group = new QButtonGroup(box);
    group->addButton(parallel_, 0);
    group->addButton(onePoint_, 1);
    layout->addWidget(parallel_);
    layout->addWidget(onePoint_);
    parallel_->setChecked(true);
    connect(parallel_, &QRadioButton::toggled, this, [this](bool on) {
        parallelFields_->setVisible(on);
        showMethodHint();
        relabel();
        redraw(std::nullopt);
    });
    return box;
}

QWidget* DivisionPage::buildFields() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* targetRow = new QFormLayout;
    target_ = new CalcNumberEdit(CalcNumberEdit::Kind::Area, box);
    targetRow->addRow(QStringLiteral("分割面積："), target_);
    layout->addLayout(targetRow);

    parallelFields_ = new QWidget(box);
    auto* form = new QFormLayout(parallelFields_);
    form->setContentsMargins(0, 0, 0, 0);
    base1_ = new CalcNameEdit(parallelFields_);
    base2_ = new CalcNameEdit(parallelFields_);
    angle_ = new CalcNumberEdit(CalcNumberEdit::Kind::DividingAngle, parallelFields_);
    start_ = new CalcNameEdit(parallelFields_);
    auto* baseRow = new QHBoxLayout;
    baseRow->addWidget(base1_);
    baseRow->addWidget(new QLabel(QStringLiteral("→"), parallelFields_));
    baseRow->addWidget(base2_);
    form->addRow(QStringLiteral("基線："), baseRow);
    form->addRow(QStringLiteral("角度(度.分秒)："), angle_);
    form->addRow(QStringLiteral("始点："), start_);
    start_->setToolTip(QStringLiteral("分割面積を確保する側の点。分割線に直角な向きで最も端の頂点に寄せられます"));
    layout->addWidget(parallelFields_);
    // What the start of the division is in each method.
    methodHint_ = new QLabel(box);
    methodHint_->setWordWrap(true);
    layout->addWidget(methodHint_);

    for (CalcNameEdit* field : {base1_, base2_, start_}) {
        field->setUpperCase(host_.upperCase);
        field->setAcceptable(KnownNameRule(host_.store));
    }
    // A new base line or angle turns the dividing line: the start is snapped again with it.
    for (CalcNameEdit* field : {base1_, base2_}) {
        connect(field, &CalcNameEdit::nameChanged, this, [this] {
            start_->setName({});
            redraw(std::nullopt);
        });
    }
    connect(angle_, &CalcNumberEdit::valueChanged, this, [this] {
        start_->setName({});
        redraw(std::nullopt);
    });
    connect(angle_, &QLineEdit::editingFinished, this, &DivisionPage::checkAngle);
    connect(start_, &CalcNameEdit::nameChanged, this, &DivisionPage::snapStart);
    return box;
}

QWidget* DivisionPage::buildCommands() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    run_ = CalcButton(QStringLiteral("計算実行(&E)"), row);
    auto* clearButton = CalcButton(QStringLiteral("クリア(&L)"), row);
    auto* cancel = CalcButton(QStringLiteral("ｷｬﾝｾﾙ"), row);
    layout->addWidget(run_);
    layout->addWidget(clearButton);
    layout->addWidget(cancel);
    connect(run_, &QPushButton::clicked, this, &DivisionPage::run);
    connect(clearButton, &QPushButton::clicked, this, [this] {
        clear();
        focusFirstInput();
    });
    connect(cancel, &QPushButton::clicked, this, &CalcPage::closeRequested);
    return row;
}

bool DivisionPage::parallel() const {
    return parallel_->isChecked();
}

void DivisionPage::showMethodHint() {
    methodHint_->setText(parallel() ? QStringLiteral("平行移動：基線に角度を加えた向きの分割線を、始点の側に分割面積が"
                                                     "確保されるまで平行に移動します。")
                                    : QStringLiteral("一点指定：1行目（基1）の点から境界上の新点P1へ分割線を引き、"
                                                     "基1から順に分割面積を確保します。"));
}

void DivisionPage::setParallel(bool parallel) {
    (parallel ? parallel_ : onePoint_)->setChecked(true);
}

void DivisionPage::clear() {
    grid_->setRowCount(0);
    grid_->setRowCount(1);
    relabel();
    grid_->setCurrentCell(0, kNameColumn);
    showGrid();
    target_->reset();
    base1_->setName({});
    base2_->setName({});
    angle_->reset();
    start_->setName({});
    setOverlay({});
}

void DivisionPage::focusFirstInput() {
    grid_->setFocus();
    grid_->setCurrentCell(grid_->rowCount() - 1, kNameColumn);
}

bool DivisionPage::takePointName(const std::string& cp932) {
    // A clicked name is confirmed as if typed, and the focus moves on to the next field.
    for (CalcNameEdit* field : {base1_, base2_, start_}) {
        if (field->hasFocus()) {
            field->setText(FromCp932(cp932));
            QMetaObject::invokeMethod(field, "returnPressed");
            if (field->isAcceptable()) {
                FocusNextControl(field);
            }
            return true;
        }
    }
    // Into the grid: said on the status line, as the surveyor may be looking at the list.
    const std::vector<std::string> before = names();
    enterName(grid_->currentRow() < 0 ? grid_->rowCount() : grid_->currentRow() + 1, FromCp932(cp932));
    if (names() != before) {
        ShowStatusNotice(this, FromCp932(msg::PointAddedToGrid(cp932, ToCp932OrThrow(QStringLiteral("定面積分割")))));
    }
    return true;
}

void DivisionPage::refresh() {
    showGrid();
    redraw(std::nullopt);
}

// Legs, directions, included angles and the 面積 and 坪数 lines as the open inverse computation shows them.
void DivisionPage::showGrid() {
    // The open inverse calculation's grid, run as the inverse tab runs it.
    PointGridResult result{{}, InverseAreaLines({}), {}};
    if (const CalcDefinition* inverse = FindCalculation("inverse"); inverse && host_.store) {
        CalcArguments arguments;
        arguments.Set("", NamesText(names()));
        CheckArguments(*inverse, arguments, true);
        CalcOutcome outcome = inverse->run(arguments, *host_.store);
        result = {std::move(outcome.gridRows), std::move(outcome.area), {}};
    }
    ShowGridResultCells(*grid_, result);
    area_->setText(FromCp932(result.area.area));
    tsubo_->setText(FromCp932(result.area.tsubo));
}

std::vector<std::string> DivisionPage::names() const {
    std::vector<std::string> names;
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const QTableWidgetItem* item = grid_->item(row, kNameColumn);
        names.push_back(item ? ToCp932(item->text().trimmed()).value_or(std::string()) : std::string());
    }
    return WithoutEntryRows(std::move(names));
}

void DivisionPage::setName(int row, const QString& text) {
    if (grid_->rowCount() < row + 1) {
        grid_->setRowCount(row + 1);
    }
    auto* item = new QTableWidgetItem(text);
    grid_->setItem(row - 1, kNameColumn, item);
}

void DivisionPage::enterName(int row, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty() || !host_.store) {
        return;
    }
    const XyzNameIndex& index = host_.store->Index();
    if (text.startsWith('+') && row == grid_->rowCount() && row >= 2) {
        const std::vector<std::string> series = SerialEntryNames(names()[row - 2], ToCp932OrThrow(text.mid(1)), index);
        for (const std::string& name : series) {
            setName(row++, FromCp932(name));
        }
    } else {
        std::vector<std::string> rows = names();
        rows.resize(std::max<size_t>(rows.size(), row));
        const std::string name = ToCp932(text).value_or(std::string());
        const std::string refusal =
            GridNameRefusal(rows, row, name, false, index, ToCp932OrThrow(QStringLiteral("定面積分割")));
        if (!refusal.empty()) {
            MessageBox::ShowCp932(this, refusal);
            grid_->setFocus();
            grid_->setCurrentCell(row - 1, kNameColumn);
            return;
        }
        setName(row++, text);
    }
    relabel();
    grid_->setCurrentCell(row - 1, kNameColumn);
    refresh();
}

// <<画地挿入 as on the inverse tab: only with the parcel editor shown, a parcel list that is not empty
// and at least two names in the editor.
void DivisionPage::updateEnabling() {
    const bool editorShown = host_.parcelEditorShown && host_.parcelEditorShown();
    insertParcel_->setEnabled(editorShown && host_.store && host_.store->blocks.Count() > 0 && host_.openParcelNames &&
                              WithoutEntryRows(host_.openParcelNames()).size() >= 2);
}

void DivisionPage::insertParcel() {
    // The parcel open in the parcel editor, its closing repetition included, after the names typed so
    // far, unless the last of them already starts it.
    const std::vector<std::string> parcel =
        WithoutEntryRows(host_.openParcelNames ? host_.openParcelNames() : std::vector<std::string>{});
    const std::vector<std::string> current = names();
    if (parcel.size() < 2 || (!current.empty() && current.back() == parcel.front())) {
        return;
    }
    int row = static_cast<int>(current.size()) + 1;
    for (const std::string& name : parcel) {
        setName(row++, FromCp932(name));
    }
    relabel();
    grid_->setCurrentCell(row - 1, kNameColumn);
    refresh();
}

void DivisionPage::relabel() {
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const bool fixedPoint = row == 0 && !parallel();
        auto* item = new QTableWidgetItem(fixedPoint ? QStringLiteral("基1 ") : QString::number(row + 1));
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(row, 0, item);
    }
}

std::optional<DivisionParcel> DivisionPage::parcel() const {
    if (!host_.store) {
        return std::nullopt;
    }
    try {
        return LoadDivisionParcel(names(), host_.store->Index());
    } catch (const Error&) {
        return std::nullopt; // fewer than three points yet, or a name since removed from the list
    }
}

std::optional<double> DivisionPage::direction() const {
    const auto first = FindPlanePoint(host_.store, base1_->name());
    const auto second = FindPlanePoint(host_.store, base2_->name());
    if (!first || !second || !IsDividingAngle(angle_->value())) {
        return std::nullopt;
    }
    try {
        return DividingDirection(*first, *second, angle_->value());
    } catch (const Error&) {
        return std::nullopt;
    }
}

void DivisionPage::snapStart() {
    const auto typed = FindPlanePoint(host_.store, start_->name());
    const auto ring = parcel();
    const auto theta = direction();
    if (typed && theta && ring) {
        start_->setName(ring->names[SnapStartVertex(*ring, *theta, *typed)]);
    }
    redraw(std::nullopt);
}

void DivisionPage::checkAngle() {
    // Enter and the focus leaving both finish the edit: one refusal beeps once.
    if (IsDividingAngle(angle_->value()) || angleRefused_) {
        return;
    }
    angleRefused_ = true;
    SystemBeep::Beep();
    QTimer::singleShot(0, angle_, [this] {
        angle_->setFocus(Qt::OtherFocusReason);
        angle_->selectAll();
        angleRefused_ = false;
    });
}

void DivisionPage::run() {
    const auto divide = [this] {
        const DivisionParcel ring = LoadDivisionParcel(names(), host_.store->Index());
        const double target = target_->value();
        try {
            CheckDivisionTarget(ring, target);
        } catch (const Error&) {
            target_->setFocus();
            throw;
        }
        // The page's fields as the calculation takes them.
        CalcArguments arguments;
        arguments.Set("ring", NamesText(names()));
        arguments.Set("area", Sprintf("%.17g", target));
        if (parallel()) {
            arguments.Set("parallel", base1_->name() + "," + base2_->name() + "," + Sprintf("%.17g", angle_->value()) +
                                          "," + start_->name());
        } else {
            arguments.Set("from-first", {});
        }
        const DivisionResult result = *RunCalculation(definition_, arguments, *host_.store).division;
        redraw(result);
        showDialog(result);
    };
    if (host_.store) {
        RunCommand(divide, this);
    }
}

void DivisionPage::showDialog(const DivisionResult& result) {
    DivisionDialog dialog(*host_.store, result, this);
    if (host_.plotTopLeft) {
        dialog.move(host_.plotTopLeft());
    }
    dialog_ = &dialog;
    const bool registered = dialog.exec() == QDialog::Accepted;
    dialog_ = nullptr;
    if (registered && host_.pointsRegistered) {
        host_.pointsRegistered();
    }
    if (host_.repaintPlot) {
        host_.repaintPlot();
    }
}

void DivisionPage::redraw(const std::optional<DivisionResult>& result) {
    CalcOverlay overlay;
    const auto ring = parcel();
    if (!ring) {
        setOverlay(std::move(overlay));
        return;
    }
    overlay.segments = RingSegments(ring->points);
    if (!parallel()) {
        overlay.marks.push_back({ring->points.front(), ring->names.front()});
    } else if (const auto start = FindPlanePoint(host_.store, start_->name()); start) {
        overlay.marks.push_back({*start, start_->name()});
        if (const auto theta = direction()) {
            const XyzExtents& extents = host_.store->IndexForDrawing().Extents();
            const PlanePoint low{extents.minX - kFrameMargin, extents.minY - kFrameMargin};
            const PlanePoint high{extents.maxX + kFrameMargin, extents.maxY + kFrameMargin};
            if (auto line = ClipLineToBox(*start, *theta, low, high)) {
                line->dotted = true;
                overlay.segments.push_back(*line);
            }
        }
    }
    if (result) {
        const std::vector<PlanePoint> secured = PartPoints(*ring, *result, result->secured);
        double extent = 0;
        for (const PlanePoint& p : secured) {
            extent = std::max({extent, std::abs(p.x - secured.front().x), std::abs(p.y - secured.front().y)});
        }
        for (const OverlaySegment& stroke : HatchRing(secured, extent / kHatchStrokes)) {
            overlay.segments.push_back(stroke);
        }
        overlay.marks.push_back({result->p1, "P1"});
        if (result->p2) {
            overlay.marks.push_back({*result->p2, "P2"});
        }
    }
    setOverlay(std::move(overlay));
}

} // namespace vemo
