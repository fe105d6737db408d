#include "ui/common/GridFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace vemo {

QStringList GridFontCandidates() {
    return {QStringLiteral("IPAGothic"),    QStringLiteral("IPAゴシック"), QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("VL Gothic"),    QStringLiteral("TakaoGothic"), QStringLiteral("MS Gothic"),
            QStringLiteral("ＭＳ ゴシック")};
}

QString GridFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& candidate : GridFontCandidates()) {
            if (installed.contains(candidate, Qt::CaseInsensitive)) {
                return candidate;
            }
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

QFont GridFont(int pointSize) {
    QFont font(GridFontFamily(), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont NumberFont(const QFont& gridFont) {
    const QStringList installed = QFontDatabase::families();
    QString family = gridFont.family();
    for (const QString candidate :
         {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans Mono")}) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            family = candidate;
            break;
        }
    }
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(QFontInfo(gridFont).pixelSize());
    constexpr int kSmallestPixels = 6;
    const int digit = DigitWidth(gridFont);
    while (font.pixelSize() > kSmallestPixels && DigitWidth(font) > digit) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

int DigitWidth(const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
}

} // namespace vemo
