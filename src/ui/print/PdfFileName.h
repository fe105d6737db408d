#pragma once

#include <QString>

namespace vemo {

// The name a print preview proposes for a PDF: the data the report is of and the report's name
// ("東町一丁目 - 境界点 - 座標一覧"), as a surveyor files it.  `caption` is the window caption the
// preview is titled with: its unsaved mark "*" and the program's name in brackets at the end are
// left out, and so is every character a file name cannot hold (/ \ : * ? " < > |, control characters),
// which becomes "_".  An empty result becomes the report's name alone.
QString PdfDocumentName(const QString& caption, const QString& reportName);

} // namespace vemo
