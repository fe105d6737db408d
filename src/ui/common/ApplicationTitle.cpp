#include "ui/common/ApplicationTitle.h"

namespace vemo {
namespace {

QString& Title() {
    static QString title = QStringLiteral("Vemo Point Desk");
    return title;
}

} // namespace

void SetApplicationTitle(const QString& title) {
    Title() = title;
}

QString ApplicationTitle() {
    return Title();
}

} // namespace vemo
