// The traverse window's judgement of a closed or connected traverse by its class: the lines of the
// precision panel and the listing, the located blunder, the question before registering a traverse
// that fails, and the class kept beside the ".Trv".
#include "ui/traverse/TrvsWindow.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesPrecision.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/SurveyClassFile.h"
#include "core/traverse/TrvsBlunderLocation.h"
#include "core/traverse/TrvsJudgement.h"
#include "core/zub/PrecisionSheet.h"
#include "core/zub/ZubStationCheck.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/print/ReportPrinter.h"
#include "ui/traverse/PrecisionBox.h"
#include "ui/traverse/PrecisionSheetDialog.h"
#include "ui/traverse/SurveyClassBox.h"
#include "ui/traverse/ZubEditorPanel.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

namespace vemo {
namespace {

struct Judged {
    TrvsJudgement judgement;
    std::optional<TrvsRoute> route;
};

// The judgement of the traverse as it stands; nothing while it cannot be adjusted.
std::optional<Judged> JudgeNow(const TrvsInput& input, const SurveyClass& surveyClass) {
    if (input.header.TrvsType != kTrvsClosed && input.header.TrvsType != kTrvsConnected) {
        return std::nullopt;
    }
    std::optional<AdjustedTraverse> adjusted;
    try {
        adjusted = AdjustTraverse(input);
    } catch (const Error&) {
        return std::nullopt; // the computation itself says what stopped it
    }
    if (!adjusted || adjusted->stations.empty()) {
        return std::nullopt;
    }
    Judged judged;
    judged.route = RouteOf(input, *adjusted);
    judged.judgement = JudgeTraverse(surveyClass, *adjusted, judged.route ? &*judged.route : nullptr);
    return judged;
}

} // namespace

std::vector<std::string> TrvsWindow::JudgementListing() const {
    const SurveyClass surveyClass = classBox_->surveyClass();
    if (surveyClass.kind == SurveyClass::Kind::None) {
        return {};
    }
    const std::optional<Judged> judged = JudgeNow(Input(), surveyClass);
    if (!judged) {
        return {};
    }
    std::vector<std::string> lines{""};
    for (std::string& line : JudgementLines(judged->judgement)) {
        lines.push_back(std::move(line));
    }
    if (judged->route) {
        if (std::string blunder = BlunderText(judged->judgement, *judged->route); !blunder.empty()) {
            lines.push_back(std::move(blunder));
        }
    }
    return lines;
}

std::string TrvsWindow::LocatedBlunder() const {
    const std::optional<Judged> judged = JudgeNow(Input(), classBox_->surveyClass());
    if (!judged || !judged->route) {
        return "";
    }
    // The warning came from the window's own limits: locate even where the class lets it pass.
    TrvsJudgement located = judged->judgement;
    if (!located.blunder) {
        located.blunder = LocateTraverseBlunder(*judged->route);
    }
    return BlunderText(located, *judged->route);
}

bool TrvsWindow::AcceptFailingClass() {
    const SurveyClass surveyClass = classBox_->surveyClass();
    if (surveyClass.kind == SurveyClass::Kind::None) {
        return true;
    }
    const std::optional<Judged> judged = JudgeNow(Input(), surveyClass);
    if (!judged || judged->judgement.Pass()) {
        return true;
    }
    std::string what = FailureText(judged->judgement);
    if (judged->route) {
        if (const std::string blunder = BlunderText(judged->judgement, *judged->route); !blunder.empty()) {
            what += "\n" + blunder;
        }
    }
    const QString question = FromCp932(msg::RegisterFailingTraverse(SurveyClassName(surveyClass), what));
    return MessageBox::Ask(this, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void TrvsWindow::KeepSurveyClass() {
    if (trvPath_.empty()) {
        return;
    }
    const SurveyClass surveyClass = classBox_->surveyClass();
    // A traverse never given a class gets no file beside it.
    if (surveyClass.kind == SurveyClass::Kind::None && !std::filesystem::exists(SurveyClassPath(trvPath_))) {
        return;
    }
    WriteSurveyClass(trvPath_, surveyClass);
}

void TrvsWindow::LoadSurveyClass() {
    classBox_->setSurveyClass(ReadSurveyClass(trvPath_));
}

namespace {

// The limits of the observations: a grade's, else none (the table shows the figures unjudged).
std::optional<ObservationLimits> LimitsOf(const SurveyClass& c) {
    if (c.kind != SurveyClass::Kind::Grade) {
        return std::nullopt;
    }
    return GradeObservationLimits(c.index, c.firstGradeInstrument);
}

std::function<void(QPrinter&, const PrintProgress&)> SheetPainter(std::vector<ReportLine> lines) {
    return [lines = std::move(lines)](QPrinter& printer, const PrintProgress& progress) {
        ReportPrinter::printLines(printer, lines, progress);
    };
}

} // namespace

std::vector<ReportLine> TrvsWindow::PrecisionSheetReport() const {
    PrecisionSheet sheet;
    if (!trvPath_.empty()) {
        sheet.info = ReadPrecisionSheetInfo(trvPath_);
    }
    if (sheet.info.work.empty()) {
        sheet.info.work = header_.remark;
    }
    sheet.surveyClass = classBox_->surveyClass();
    if (const std::optional<Judged> judged = JudgeNow(Input(), sheet.surveyClass)) {
        const std::string end = header_.TrvsType == kTrvsConnected ? header_.T2No : header_.T0No;
        sheet.routes.push_back({header_.T0No, end, judged->judgement});
        if (std::optional<AdjustedTraverse> adjusted = AdjustTraverse(Input())) {
            sheet.distances = TraverseLegDistances(*adjusted);
        }
    }
    sheet.stations = ReduceZubStations(zub_->Rows());
    sheet.limits = LimitsOf(sheet.surveyClass);
    return PrecisionSheetLines(sheet);
}

void TrvsWindow::PrintPrecisionSheet() {
    PreviewReport(this, QString::fromUtf8("精度管理表"), SheetPainter(PrecisionSheetReport()));
}

void TrvsWindow::EditPrecisionSheetHeading() {
    if (trvPath_.empty()) {
        MessageBox::ShowCp932(this, msg::SheetHeadingNeedsTraverseFile(), MessageBox::Kind::Warning);
        return;
    }
    PrecisionSheetDialog dialog(ReadPrecisionSheetInfo(trvPath_), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    RunGuarded([this, &dialog] { WritePrecisionSheetInfo(trvPath_, dialog.info()); });
}

void TrvsWindow::PrintPrecisionSheetToPdf(const QString& path) {
    PrintReportToPdf(path, QString::fromUtf8("精度管理表"), SheetPainter(PrecisionSheetReport()));
}

void TrvsWindow::WarnOfFailingStations() {
    const std::optional<ObservationLimits> limits = LimitsOf(classBox_->surveyClass());
    if (!limits) {
        return;
    }
    std::vector<std::string> failing;
    for (const ZubOverLimit& over : ZubStationsOverLimit(ReduceZubStations(zub_->Rows()), *limits)) {
        if (std::find(failing.begin(), failing.end(), over.station) == failing.end()) {
            failing.push_back(over.station);
        }
    }
    if (failing.empty()) {
        return;
    }
    std::string names;
    for (const std::string& name : failing) {
        names += (names.empty() ? "" : ", ") + name;
    }
    MessageBox::ShowCp932(this, msg::StationsOverLimit(names), MessageBox::Kind::Warning);
}

void TrvsWindow::MarkZubByClass() {
    zub_->SetLimits(LimitsOf(classBox_->surveyClass()));
}

void TrvsWindow::ShowZubCheck() {
    const SurveyClass surveyClass = classBox_->surveyClass();
    const std::optional<ObservationLimits> limits = LimitsOf(surveyClass);
    std::vector<std::string> lines{Jp("観測の点検 - ") + SurveyClassName(surveyClass)};
    for (std::string& line : ZubCheckLines(ReduceZubStations(zub_->Rows()), limits ? &*limits : nullptr)) {
        lines.push_back(std::move(line));
    }
    PrecisionBox box(lines, this);
    box.exec();
}

} // namespace vemo
