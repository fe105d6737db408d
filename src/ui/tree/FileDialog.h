#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vemo {

// The common open and save dialogs, behind one door so that tests can answer them without a window:
// setNextFileName gives the name the next dialog returns (an empty name is a cancelled dialog).
// Filters are written as the surveyor's programs write them, "SIMA files (*.SIM)|*.SIM", and turned
// into the platform's form here.
class FileDialog {
public:
    struct Request {
        QString title;
        QString filter;           // "text|pattern|text|pattern..."
        QString defaultExtension; // save: appended when the name typed has no extension ("SIM")
        QString folder;           // the folder the dialog starts in
    };

    // The chosen file, or an empty text when the dialog was cancelled.
    static QString getOpenFileName(QWidget* parent, const Request& request);
    static QString getSaveFileName(QWidget* parent, const Request& request);

    // "a|b|c|d" -> "a;;c" (the patterns are already part of the texts).
    static QString qtFilter(const QString& filter);
    // The name with ".ext" appended when it has no extension of its own.
    static QString withDefaultExtension(const QString& fileName, const QString& extension);

    // Test hooks: the next dialog is not shown and returns this name (once).  The requests of the
    // dialogs answered that way are kept for checking.
    static void setNextFileName(const QString& fileName);
    static QStringList askedTitles();
    static std::optional<Request> lastRequest();
    static void clearRecord();

private:
    static std::optional<QString> takeScriptedName(const Request& request);
};

} // namespace vemo
