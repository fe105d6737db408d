#include "ui/calc/FormPage.h"

#include "ui/calc/CalcFields.h"
#include "ui/calc/RunCalculation.h"
#include "ui/calc/ShiftGrid.h"

#include "core/calc/CalcEntry.h"
#include "core/files/Sima.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"
#include "core/text/MessagesNotices.h"
#include "core/text/Numbers.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/print/ReportPrinter.h"
#include "ui/tree/FileDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

QString U(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool IsNumber(CalcInputKind kind) {
    return kind == CalcInputKind::Distance || kind == CalcInputKind::Angle || kind == CalcInputKind::Area ||
           kind == CalcInputKind::Number;
}

bool TakesNames(CalcInputKind kind) {
    return kind == CalcInputKind::Point || kind == CalcInputKind::Points;
}

std::string Bound(double value) {
    return std::isfinite(value) ? FormatGeneral(value) : std::string();
}

} // namespace

FormPage::FormPage(const CalcDefinition& definition, CalcHost& host, FormStyle style, QWidget* parent)
    : CalcPage(host, parent), definition_(definition), style_(style) {
    auto* layout = new QVBoxLayout(this);
    if (style_.resultPanel) {
        buildPanel(layout);
    } else {
        buildListing(layout);
    }
}

void FormPage::buildListing(QBoxLayout* layout) {
    auto* form = new QFormLayout;
    for (const CalcInput& input : definition_.inputs) {
        QWidget* widget = nullptr;
        if (input.kind == CalcInputKind::Flag) {
            widget = new QCheckBox(U(input.caption), this);
            form->addRow(QString(), widget);
        } else {
            auto* edit = new QLineEdit(this);
            edit->setPlaceholderText(U(input.defaultText));
            // Enter ends an entry and goes on to the next field, as in every form of the program:
            // station, backsight and targets are typed in one run.
            connect(edit, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
            widget = edit;
            form->addRow(U(input.caption), widget);
        }
        widget->setObjectName(input.id.empty() ? QStringLiteral("names") : U(input.id));
        Field field;
        field.input = &input;
        field.plain = widget;
        fields_.push_back(field);
    }
    auto* computeButton = new QPushButton(QStringLiteral("計算"), this);
    printButton_ = new QPushButton(QStringLiteral("印刷..."), this);
    simaButton_ = new QPushButton(QStringLiteral("SIMA出力..."), this);
    sendButton_ = new QPushButton(QStringLiteral("送信..."), this);
    sendButton_->setToolTip(QStringLiteral("計算の点（逆打ちでは器械点，後視点と測設点）を器械へ送ります"));
    printButton_->setEnabled(false);
    simaButton_->setEnabled(false);
    sendButton_->setEnabled(false);
    connect(computeButton, &QPushButton::clicked, this, [this] { compute(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { print(); });
    connect(simaButton_, &QPushButton::clicked, this, [this] { writeSima(); });
    connect(sendButton_, &QPushButton::clicked, this, [this] { send(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(computeButton);
    buttons->addWidget(printButton_);
    buttons->addWidget(simaButton_);
    buttons->addWidget(sendButton_);
    buttons->addStretch();

    output_ = new QPlainTextEdit(this);
    output_->setReadOnly(true);
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);
    output_->setFont(GridFont());

    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(output_, 1);
}

QString FormPage::caption() const {
    // A construction names the window by its tab, as the surveyor knows it from the button.
    return style_.resultPanel ? QString() : U(definition_.caption);
}

const FormPage::Field* FormPage::find(std::string_view id) const {
    for (const Field& field : fields_) {
        if (field.input->id == id) {
            return &field;
        }
    }
    return nullptr;
}

QLineEdit* FormPage::field(std::string_view id) const {
    const Field* found = find(id);
    if (!found) {
        return nullptr;
    }
    if (found->number) {
        return found->number;
    }
    if (found->names.size() == 1) {
        return found->names.front();
    }
    return qobject_cast<QLineEdit*>(found->plain);
}

QAbstractButton* FormPage::box(std::string_view id) const {
    const Field* found = find(id);
    return found ? qobject_cast<QAbstractButton*>(found->plain) : nullptr;
}

LineGroup* FormPage::line(std::string_view id) const {
    const Field* found = find(id);
    return found ? found->line : nullptr;
}

CircleGroup* FormPage::circle(std::string_view id) const {
    const Field* found = find(id);
    return found ? found->circle : nullptr;
}

std::vector<CalcNameEdit*> FormPage::names(std::string_view id) const {
    const Field* found = find(id);
    return found ? found->names : std::vector<CalcNameEdit*>{};
}

ShiftGrid* FormPage::path() const {
    for (const Field& field : fields_) {
        if (field.path) {
            return field.path;
        }
    }
    return nullptr;
}

QString FormPage::listing() const {
    return output_ ? output_->toPlainText() : QString();
}

void FormPage::clear() {
    if (style_.resultPanel) {
        clearPanel();
        return;
    }
    for (const Field& field : fields_) {
        if (auto* edit = qobject_cast<QLineEdit*>(field.plain)) {
            edit->clear();
        } else if (auto* button = qobject_cast<QAbstractButton*>(field.plain)) {
            button->setChecked(false);
        }
    }
    outcome_.reset();
    output_->clear();
    printButton_->setEnabled(false);
    simaButton_->setEnabled(false);
    sendButton_->setEnabled(false);
    setOverlay({});
}

void FormPage::focusFirstInput() {
    if (style_.resultPanel) {
        if (ShiftGrid* grid = path()) {
            grid->setFocus();
        } else if (!nameFields().empty()) {
            nameFields().front()->setFocus();
        }
    } else if (!fields_.empty()) {
        fields_.front().plain->setFocus();
    }
}

bool FormPage::takePointName(const std::string& cp932) {
    return style_.resultPanel ? takePanelName(cp932) : takeListingName(cp932);
}

bool FormPage::takeListingName(const std::string& cp932) {
    // The focused name field takes it, else the first empty one, else the last list of names.  A field of one name
    // hands the focus on to the next name field; a list keeps it for the names that follow.
    std::vector<size_t> nameFields;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (qobject_cast<QLineEdit*>(fields_[i].plain) && TakesNames(fields_[i].input->kind)) {
            nameFields.push_back(i);
        }
    }
    auto target =
        std::find_if(nameFields.begin(), nameFields.end(), [this](size_t i) { return fields_[i].plain->hasFocus(); });
    if (target == nameFields.end()) {
        target = std::find_if(nameFields.begin(), nameFields.end(), [this](size_t i) {
            return qobject_cast<QLineEdit*>(fields_[i].plain)->text().isEmpty();
        });
    }
    if (target == nameFields.end()) {
        // Every field filled: a further name joins the last list of names.
        const auto list = std::find_if(nameFields.rbegin(), nameFields.rend(),
                                       [this](size_t i) { return fields_[i].input->kind == CalcInputKind::Points; });
        if (list == nameFields.rend()) {
            return false;
        }
        target = std::prev(list.base());
    }
    auto* edit = qobject_cast<QLineEdit*>(fields_[*target].plain);
    const QString name = FromCp932(cp932);
    const bool list = fields_[*target].input->kind == CalcInputKind::Points;
    edit->setText(list && !edit->text().isEmpty() ? edit->text() + "," + name : name);
    const auto next = target + 1;
    fields_[list || next == nameFields.end() ? *target : *next].plain->setFocus();
    return true;
}

CalcArguments FormPage::arguments() const {
    CalcArguments arguments;
    for (const Field& field : fields_) {
        const CalcInput& input = *field.input;
        const std::string caption = Jp(input.caption);
        if (auto* button = qobject_cast<QAbstractButton*>(field.plain)) {
            if (button->isChecked()) {
                arguments.Set(input.id, {});
            }
            continue;
        }
        const QString text = qobject_cast<QLineEdit*>(field.plain)->text().trimmed();
        if (text.isEmpty()) {
            if (input.required) {
                throw Error(msg::CalcFieldMissing(caption));
            }
            continue;
        }
        const std::string value = ToCp932OrThrow(text);
        if (IsNumber(input.kind)) {
            const auto number = TryStrToFloat(value);
            if (!number || !std::isfinite(*number)) {
                throw Error(msg::CalcFieldNotNumber(caption));
            }
            if (*number < input.minimum || *number > input.maximum) {
                throw Error(msg::CalcFieldOutOfRange(caption, Bound(input.minimum), Bound(input.maximum)));
            }
        }
        arguments.Set(input.id, value);
    }
    return arguments;
}

bool FormPage::compute() {
    if (!host_.store || style_.resultPanel) {
        return false;
    }
    return RunCommand(
        [this] {
            CalcArguments given = arguments();
            show(RunCalculation(definition_, given, *host_.store));
        },
        this);
}

void FormPage::show(const CalcOutcome& outcome) {
    QStringList lines;
    for (const std::string& line : outcome.lines) {
        lines.append(FromCp932(line));
    }
    for (const std::string& warning : outcome.warnings) {
        lines.append(FromCp932(warning));
    }
    output_->setPlainText(lines.join('\n'));
    printButton_->setEnabled(!outcome.report.empty());
    simaButton_->setEnabled(!outcome.handedOver.empty() || !outcome.newPoints.empty());
    sendButton_->setEnabled(!outcome.handedOver.empty() && host_.sendPoints);
    outcome_ = outcome;
    setOverlay(outcome.overlay);
}

void FormPage::refresh() {
    if (style_.resultPanel) {
        if (!registering_) {
            recompute(false);
        }
        return;
    }
    // The list changed under a shown result: compute again, silently; a result that no longer holds
    // goes.
    if (!outcome_ || !host_.store) {
        return;
    }
    try {
        CalcArguments given = arguments();
        CheckArguments(definition_, given);
        show(definition_.run(given, *host_.store));
    } catch (const std::exception&) {
        outcome_.reset();
        output_->clear();
        setOverlay({});
    }
}

void FormPage::registerResults() {
    if (style_.resultPanel) {
        registerPanel();
        return;
    }
    if (!outcome_ || outcome_->newPoints.empty() || !host_.store) {
        return;
    }
    const bool registered = RunCommand(
        [this] {
            RegisterCalcPoints(host_.store->xyz, outcome_->newPoints, Jp(definition_.caption));
            if (host_.pointsRegistered) {
                host_.pointsRegistered();
            }
        },
        this);
    if (registered) {
        refresh();
    }
}

void FormPage::print() {
    if (!outcome_ || outcome_->report.empty()) {
        return;
    }
    const std::vector<ReportLine> report = outcome_->report;
    PreviewReport(this, U(outcome_->reportTitle), [report](QPrinter& printer, const PrintProgress& progress) {
        ReportPrinter::printLines(printer, report, progress);
    });
}

void FormPage::writeSima() {
    if (!outcome_) {
        return;
    }
    const QString path = FileDialog::getSaveFileName(
        this, {QStringLiteral("SIMA出力"), QStringLiteral("SIMA files (*.SIM)|*.SIM"), QStringLiteral("SIM"), {}});
    if (path.isEmpty()) {
        return;
    }
    std::size_t count = 0;
    const bool written = RunCommand(
        [this, path, &count] {
            const std::vector<CalcPoint>& points =
                outcome_->handedOver.empty() ? outcome_->newPoints : outcome_->handedOver;
            std::vector<ExportPoint> exported;
            for (const CalcPoint& point : points) {
                exported.push_back(
                    {static_cast<int>(exported.size()) + 1, point.name, point.point.x, point.point.y, 0});
            }
            WriteSimaFile(path.toStdString(), {Jp(definition_.caption), {}, {}}, exported);
            count = exported.size();
        },
        this);
    if (written) {
        ShowStatusNotice(this, FileWrittenNotice(msg::SimaFileKind(count), path));
    }
}

void FormPage::send() {
    if (!outcome_ || outcome_->handedOver.empty() || !host_.sendPoints) {
        return;
    }
    std::vector<std::string> names;
    for (const CalcPoint& point : outcome_->handedOver) {
        names.push_back(point.name);
    }
    host_.sendPoints(names);
}

} // namespace vemo
