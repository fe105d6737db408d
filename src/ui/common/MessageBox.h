#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

class QWidget;

namespace vemo {

// Every message and confirmation of the program goes through here, so that tests can answer them
// instead of blocking, and so that the wording stays a single fixed Japanese text with OK (or
// OK/Cancel, Yes/No) as the surveyor knows it.  The box title is the application title,
// which follows the main window caption.
class MessageBox {
public:
    enum class Kind { Plain, Information, Warning, Error, Question };

    // A message with an OK button.
    static void Show(QWidget* parent, const QString& text, Kind kind = Kind::Plain);
    // The same for a CP932 message of the core (a vemo::Error, a conversion message).
    static void ShowCp932(QWidget* parent, const std::string& cp932Text, Kind kind = Kind::Plain);

    // A confirmation; returns the button pressed (Escape or closing the box gives the escape button:
    // Cancel or No).
    static QMessageBox::StandardButton Ask(QWidget* parent, const QString& text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::Ok);

    // Test hooks.  In capture mode no box is shown: the text is recorded and the box is answered
    // with the next answer set (once), else with its default button.  SetNextAnswer alone also
    // answers the next box without showing it.
    static void SetCapture(bool on);
    static void SetNextAnswer(QMessageBox::StandardButton answer);
    // Answers for the next boxes in turn (each once); boxes after them take their default button.
    static void SetNextAnswers(const QList<QMessageBox::StandardButton>& answers);
    static QStringList ShownTexts();
    static void ClearShownTexts();

private:
    static std::optional<QMessageBox::StandardButton> TakeScriptedAnswer(const QString& text,
                                                                         QMessageBox::StandardButton fallback);
    static QMessageBox::StandardButton Run(QWidget* parent, const QString& text, Kind kind,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);
};

} // namespace vemo
