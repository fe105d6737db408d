// The file chooser as the surveyor meets it: in Japanese and large enough to read its columns.
#include "support/WhenShown.h"
#include "ui/common/Translations.h"
#include "ui/tree/FileDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(FileChooser, OpensLargeEnoughAndInJapanese) {
    ASSERT_TRUE(InstallJapaneseTranslations(*QCoreApplication::instance()));
    QSize shown;
    QString cancelText;
    test::WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        shown = dialog->size();
        QCoreApplication::processEvents(); // the folder is listed in the background
        dialog->grab().save(QStringLiteral("/tmp/vemo-file-chooser.png"));
        if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
            cancelText = box->button(QDialogButtonBox::Cancel)->text();
        }
        dialog->close();
    });
    const QString chosen = FileDialog::getOpenFileName(nullptr, {QStringLiteral("SIMA Format File"),
                                                                 QStringLiteral("SIMA files (*.SIM)|*.SIM"),
                                                                 {},
                                                                 QStringLiteral(VEMO_TEST_DATA_DIR "/files")});
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_GE(shown.width(), 900);
    EXPECT_GE(shown.height(), 560);
    EXPECT_EQ(cancelText, QStringLiteral("キャンセル"));
}

} // namespace
} // namespace vemo
