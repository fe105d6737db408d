#include "ui/common/MessageBox.h"

#include "ui/common/ApplicationTitle.h"
#include "ui/common/Cp932Text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace vemo {
namespace {

struct Script {
    bool capture = false;
    std::optional<QMessageBox::StandardButton> nextAnswer;
    QList<QMessageBox::StandardButton> laterAnswers;
    QStringList shown;
};

Script& TheScript() {
    static Script script;
    return script;
}

// Without a person at the screen (VEMO_BATCH set, as the start-up tests run the program) a box would
// wait for ever: the text goes to the error output and the box takes its default answer.
bool BatchMode() {
    const char* value = std::getenv("VEMO_BATCH");
    return value != nullptr && *value != '\0' && *value != '0';
}

QMessageBox::Icon IconOf(MessageBox::Kind kind) {
    switch (kind) {
    case MessageBox::Kind::Information:
        return QMessageBox::Information;
    case MessageBox::Kind::Warning:
        return QMessageBox::Warning;
    case MessageBox::Kind::Error:
        return QMessageBox::Critical;
    case MessageBox::Kind::Question:
        return QMessageBox::Question;
    case MessageBox::Kind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBox::Show(QWidget* parent, const QString& text, Kind kind) {
    Run(parent, text, kind, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBox::ShowCp932(QWidget* parent, const std::string& cp932Text, Kind kind) {
    Show(parent, FromCp932(cp932Text), kind);
}

QMessageBox::StandardButton MessageBox::Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
    return Run(parent, text, Kind::Question, buttons, defaultButton);
}

void MessageBox::SetCapture(bool on) {
    TheScript().capture = on;
}

void MessageBox::SetNextAnswer(QMessageBox::StandardButton answer) {
    TheScript().nextAnswer = answer;
}

void MessageBox::SetNextAnswers(const QList<QMessageBox::StandardButton>& answers) {
    Script& script = TheScript();
    script.laterAnswers = answers;
    script.nextAnswer.reset();
    if (!script.laterAnswers.isEmpty()) {
        script.nextAnswer = script.laterAnswers.takeFirst();
    }
}

QStringList MessageBox::ShownTexts() {
    return TheScript().shown;
}

void MessageBox::ClearShownTexts() {
    TheScript().shown.clear();
}

std::optional<QMessageBox::StandardButton> MessageBox::TakeScriptedAnswer(const QString& text,
                                                                          QMessageBox::StandardButton fallback) {
    Script& script = TheScript();
    if (!script.capture && !script.nextAnswer && !BatchMode()) {
        return std::nullopt;
    }
    script.shown.append(text);
    if (BatchMode() && !script.capture) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    const QMessageBox::StandardButton answer = script.nextAnswer.value_or(fallback);
    script.nextAnswer.reset();
    if (!script.laterAnswers.isEmpty()) {
        script.nextAnswer = script.laterAnswers.takeFirst();
    }
    return answer;
}

QMessageBox::StandardButton MessageBox::Run(QWidget* parent, const QString& text, Kind kind,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
    if (auto answer = TakeScriptedAnswer(text, defaultButton)) {
        return *answer;
    }
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QWidget* wasActive = QApplication::activeWindow();
    QMessageBox box(IconOf(kind), ApplicationTitle(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    // The question before unsaved data are lost names its answers as the surveyor reads them.
    if (QAbstractButton* save = box.button(QMessageBox::Save)) {
        save->setText(QStringLiteral("保存(&S)"));
    }
    if (QAbstractButton* discard = box.button(QMessageBox::Discard)) {
        discard->setText(QStringLiteral("保存しない(&N)"));
    }
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel); cancel != nullptr && (buttons & QMessageBox::Save)) {
        cancel->setText(QStringLiteral("キャンセル"));
    }
    const int result = box.exec();
    // Without a window manager nobody gives the activation back when the box closes, and the keys
    // typed next would miss the window the user was working in.
    if (wasActive != nullptr && QApplication::activeWindow() == nullptr) {
        wasActive->activateWindow();
    }
    return static_cast<QMessageBox::StandardButton>(result);
}

} // namespace vemo
