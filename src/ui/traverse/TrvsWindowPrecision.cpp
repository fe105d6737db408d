// The traverse window's judgement of a closed or connected traverse by its class: the lines of the
// precision panel and the listing, the located blunder, the question before registering a traverse
// that fails, and the class kept beside the ".Trv".
#include "ui/traverse/TrvsWindow.h"

#include "core/text/Error.h"
#include "core/text/MessagesPrecision.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/SurveyClassFile.h"
#include "core/traverse/TrvsBlunderLocation.h"
#include "core/traverse/TrvsJudgement.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/traverse/SurveyClassBox.h"

#include <filesystem>
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

} // namespace vemo
