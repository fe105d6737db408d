#pragma once

#include <QString>

#include <functional>

class QPrinter;

namespace vemo {

// Writes a PDF file as every file of the program is written: the printer's output goes into a staging
// folder beside `target`; when `paint` has finished and the file is complete (its cross-reference table
// where its trailer says), it replaces the target under the rules of a save (a read-only file is
// refused, the mode is kept).  `paint` draws onto `printer` and answers false when the user cancelled,
// which leaves the target alone.  Throws vemo::Error naming `target` and the reason; the printer's
// output file name is `target` again afterwards.
void WritePdfFile(QPrinter& printer, const QString& target, const std::function<bool()>& paint);

// Whether a print job goes into a PDF file (a print dialog's "print to file"), not to a printer or
// into a preview.
bool IsPdfFileJob(QPrinter& printer);

} // namespace vemo
