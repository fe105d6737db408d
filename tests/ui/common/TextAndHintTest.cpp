#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/Hint.h"

#include <QAction>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(Cp932Text, JapaneseSurvivesTheRoundTrip) {
    // 点名 in CP932 is 93 5F 96 BC.
    const std::string bytes("\x93\x5F\x96\xBC", 4);
    EXPECT_EQ(FromCp932(bytes), QStringLiteral("点名"));
    EXPECT_EQ(ToCp932(QStringLiteral("点名")), bytes);
    EXPECT_EQ(ToCp932(QStringLiteral("K-12 ㎡")), Jp("K-12 ㎡"));
}

TEST(Cp932Text, BrokenBytesShowAsReplacementCharacters) {
    // A lone lead byte at the end cannot be decoded; the text around it still shows.
    const QString shown = FromCp932(std::string("A1\x93", 3));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("A1")));
    EXPECT_TRUE(shown.contains(QChar(0xFFFD)));
}

TEST(Cp932Text, CharactersWithoutCp932FormAreRefused) {
    EXPECT_FALSE(ToCp932(QString::fromUtf8("点\xF0\x9F\x98\x80")).has_value());
    EXPECT_THROW(ToCp932OrThrow(QString::fromUtf8("\xF0\x9F\x98\x80")), Error);
    EXPECT_EQ(ToCp932OrThrow(QStringLiteral("ABC")), "ABC");
}

TEST(Hint, ShortPartIsTheToolTipLongPartTheStatusText) {
    const HintParts both = SplitHint(QStringLiteral("重複整理|重複した点番・座標値を削除します"));
    EXPECT_EQ(both.shortPart, QStringLiteral("重複整理"));
    EXPECT_EQ(both.longPart, QStringLiteral("重複した点番・座標値を削除します"));

    const HintParts plain = SplitHint(QStringLiteral("カーソル行を一行削除します"));
    EXPECT_EQ(plain.shortPart, plain.longPart);
    EXPECT_EQ(plain.longPart, QStringLiteral("カーソル行を一行削除します"));

    const HintParts longOnly = SplitHint(QStringLiteral("|移 動"));
    EXPECT_TRUE(longOnly.shortPart.isEmpty());
    EXPECT_EQ(longOnly.longPart, QStringLiteral("移 動"));

    // Only the first bar splits.
    EXPECT_EQ(SplitHint(QStringLiteral("a|b|c")).longPart, QStringLiteral("b|c"));
}

TEST(Hint, AppliedToActionsAndWidgets) {
    QAction action(QStringLiteral("検索↓(&F)"));
    SetHint(&action, QStringLiteral("下方向検索|現在のカーソル位置から下方向に向かってい検索します"));
    EXPECT_EQ(action.toolTip(), QStringLiteral("下方向検索"));
    EXPECT_EQ(action.statusTip(), QStringLiteral("現在のカーソル位置から下方向に向かってい検索します"));

    QLabel label;
    SetHint(
        &label,
        QStringLiteral("カーソル移動方向|ダブルクリックすることによりEnterを押したときのカーソル移動方向を指定します"));
    EXPECT_EQ(label.toolTip(), QStringLiteral("カーソル移動方向"));
    EXPECT_TRUE(label.statusTip().startsWith(QStringLiteral("ダブルクリック")));
}

TEST(GridFont, JapaneseFontWithHalfAndFullWidthCells) {
    if (!QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        GTEST_SKIP() << "IPAGothic is not installed";
    }
    EXPECT_EQ(GridFontFamily(), QStringLiteral("IPAGothic"));
    // The listings count a double-byte character as two columns: the font must draw it so, and every
    // half-width character alike.
    const QFontMetrics metrics(GridFont(10));
    const int fourHalf = metrics.horizontalAdvance(QStringLiteral("0000"));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("AB-1")), fourHalf);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("点名")), fourHalf);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("ｶﾅ名")), fourHalf);
    const int half = metrics.horizontalAdvance(QLatin1Char('0'));
    EXPECT_EQ(DigitWidth(GridFont(10)), half);
}

} // namespace
} // namespace vemo
