#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace vemo {

// A command says in the status bar what it did (a file written and where, a point put into a grid),
// as a save does.  A window with a status line of its own registers where its notices go; a notice
// goes to the nearest window around `near` that registered one (a dialog or a print preview opened from
// a window tells that window).  Nothing is shown when none did.
void SetStatusNoticeSink(QWidget* window, std::function<void(const QString&)> sink);
void ShowStatusNotice(QWidget* near, const QString& text);

// "<kind>を書き出しました: <path>" for a file written; the path as the system names it (it need not be
// CP932).
QString FileWrittenNotice(const std::string& cp932Kind, const QString& path);

} // namespace vemo
