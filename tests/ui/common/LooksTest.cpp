// What the surveyor sees of the platform's parts: Japanese standard dialogs and coordinates whose decimal point cannot
// be taken for a comma.
#include "ui/common/GridFont.h"
#include "ui/common/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(Looks, StandardDialogsSpeakJapanese) {
    ASSERT_TRUE(InstallJapaneseTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
}

// The coordinate columns use a font of their own with a plain full stop, no wider than the grid's
// digits so that the columns keep their widths.
TEST(Looks, CoordinatesUseAFontWithAClearDecimalPoint) {
    const QFont grid = GridFont();
    const QFont numbers = NumberFont(grid);
    EXPECT_EQ(numbers.family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_LE(DigitWidth(numbers), DigitWidth(grid));
    EXPECT_GE(DigitWidth(numbers), DigitWidth(grid) - 1);
}

} // namespace
} // namespace vemo
