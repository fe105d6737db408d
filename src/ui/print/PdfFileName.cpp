#include "ui/print/PdfFileName.h"

namespace vemo {

QString PdfDocumentName(const QString& caption, const QString& reportName) {
    QString data = caption.trimmed();
    while (data.startsWith(QLatin1Char('*'))) {
        data.remove(0, 1);
    }
    if (data.endsWith(QLatin1Char(']'))) {
        const qsizetype open = data.lastIndexOf(QLatin1Char('['));
        if (open >= 0) {
            data.truncate(open);
        }
    }
    data = data.trimmed();
    QString name = data;
    if (!reportName.isEmpty()) {
        name = name.isEmpty() ? reportName : name + QStringLiteral(" - ") + reportName;
    }
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) {
            c = QLatin1Char('_');
        }
    }
    return name;
}

} // namespace vemo
