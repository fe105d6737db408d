// The serial transfer window driven by keys as a surveyor would: Enter starts, Esc cancels, the
// captions, tints and messages of each transfer, and a port that refuses the settings.
#include "InstrumentProcess.h"

#include "core/serial/ZubTransfers.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFile.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/serial/ZubTransferDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

class ZubDialog : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
    }
    void TearDown() override { MessageBox::SetCapture(false); }

    Settings::Rs232cKeys Keys(const QString& port) {
        Settings::Rs232cKeys keys;
        keys.Port = port.toStdString();
        return keys;
    }
    // What the window shows before the transfer: caption, button, message and the settings' tint.
    struct Look {
        QString caption, button, message, port;
        QColor tint;
        bool centred = false;
    };
    static Look LookOf(ZubTransferDialog& dialog) {
        Look look;
        look.caption = dialog.windowTitle();
        look.button = dialog.findChild<QPushButton*>()->text();
        const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
        for (QLabel* label : labels) {
            if (label->autoFillBackground()) {
                look.tint = label->palette().color(QPalette::Window);
                look.port = look.port.isEmpty() ? label->text() : look.port;
            } else if (label->text().startsWith("Ready")) {
                look.message = label->text();
                look.centred = label->alignment() & Qt::AlignHCenter;
            }
        }
        return look;
    }
    // Runs `then` once the modal window is up.
    static void WhenShown(std::function<void()> then) { QTimer::singleShot(0, std::move(then)); }
};

TEST_F(ZubDialog, EnterReceivesCoordinatesIntoTheList) {
    InstrumentProcess instrument({"--canned", "5"});
    XyzList list;
    ZubTransferDialog dialog;
    Look look;
    WhenShown([&] {
        look = LookOf(dialog);
        dialog.grab().save("/tmp/zub_dialog_import_xyz.png");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    dialog.ExecReceiveCoordinates(list, Keys(instrument.PortPath()));
    EXPECT_EQ(look.caption, "Import Xyz by ZUB");
    EXPECT_EQ(look.button, "受信");
    EXPECT_EQ(look.message, "Ready? Cancel:[ESC]");
    EXPECT_TRUE(look.centred);
    EXPECT_EQ(look.tint, QColor(255, 255, 0));
    EXPECT_EQ(look.port, instrument.PortPath());
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"受信完了\n受信した点: 5 点"});
    // The message line said what happened in words, not the raw record "Z,&,".
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    EXPECT_TRUE(texts.contains("終わりのレコードを受信しました")) << texts.join('|').toStdString();
    ASSERT_EQ(list.PointRowCount(), 5);
    EXPECT_EQ(list.Cell(5, kColName), "P5");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// 送信内容の照合: the instrument's job (its five made-up points P1 .. P5, at X -12000, Y 35000 + 10 i)
// against what was sent: P3 went with Y 35031 (a digit changed on the line), P6 never arrived, P5 was
// never sent.  Nothing goes into any list.
TEST_F(ZubDialog, CheckOfTheSendListsEveryDifference) {
    InstrumentProcess instrument({"--canned", "5"});
    ZubSendList send;
    send.lines.push_back(ZubRecordLine("A,01,"));
    for (const auto& [name, y] :
         {std::pair{"P1", 35010.0}, {"P2", 35020.0}, {"P3", 35031.0}, {"P4", 35040.0}, {"P6", 35060.0}}) {
        send.lines.push_back(ZubRecordLine(ZubCoordinateBody(name, -12000.0, y)));
    }
    send.lines.push_back(ZubRecordLine("Z,"));
    ZubTransferDialog dialog;
    Look look;
    WhenShown([&] {
        look = LookOf(dialog);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    dialog.ExecCheckSent(send, Keys(instrument.PortPath()));
    EXPECT_EQ(look.caption, "Check Xyz by ZUB");
    EXPECT_EQ(look.button, "受信");
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList{"送った 5 点のうち 2 点が測器の作業と違います:\n"
                          "  P3: 送った X -12000.000 Y 35031.000、測器では X -12000.000 Y 35030.000\n"
                          "  P6: 測器の作業にありません\n"
                          "  P5: 送っていない点です（X -12000.000 Y 35050.000）"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ZubDialog, EscMidReceiveKeepsTheRowsAndSaysNothing) {
    InstrumentProcess instrument({"--canned", "100"});
    XyzList list;
    ZubTransferDialog dialog;
    QTimer watch;
    int rowsAtEsc = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (rowsAtEsc == 0 && list.PointRowCount() >= 10 && !list.Cell(10, kColName).empty()) {
            rowsAtEsc = list.PointRowCount();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
    });
    WhenShown([&] {
        QTest::keyClick(&dialog, Qt::Key_Return);
        watch.start(1);
    });
    dialog.ExecReceiveCoordinates(list, Keys(instrument.PortPath()));
    EXPECT_EQ(list.PointRowCount(), rowsAtEsc);
    EXPECT_LT(rowsAtEsc, 100);
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

TEST_F(ZubDialog, FieldBookReceiveWritesTempZubAndSaysSo) {
    const std::string fieldBook = DataFile("zub/field.ZUB");
    InstrumentProcess instrument({"--send", QString::fromStdString(fieldBook)});
    TempDir exeDir;
    ZubTransferDialog dialog;
    Look look;
    WhenShown([&] {
        look = LookOf(dialog);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_TRUE(dialog.ExecReceiveObservations(exeDir.Str(), Keys(instrument.PortPath())));
    EXPECT_EQ(look.caption, "Import Trvs by ZUB");
    EXPECT_EQ(look.tint, QColor(255, 255, 255));
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"受信完了\n受信した行: 11 行"});
    EXPECT_EQ(ReadBytes(TempZubPath(exeDir.Str())), ReadBytes(fieldBook));
}

TEST_F(ZubDialog, RefusedSettingsGiveTheButtonBackAndEscLeaves) {
    InstrumentProcess instrument({"--receive", "/dev/null"});
    Settings::Rs232cKeys keys = Keys(instrument.PortPath());
    keys.Parity = Jp("偶数"); // a pseudo terminal cannot do parity
    const ZubSendList send = {{"A,01,Z,", "Z,&,"}, {}, {}};
    ZubTransferDialog dialog;
    Look look;
    bool buttonBack = false;
    WhenShown([&] {
        look = LookOf(dialog);
        dialog.grab().save("/tmp/zub_dialog_export_xyz.png");
        QTest::keyClick(&dialog, Qt::Key_Return);
        buttonBack = dialog.findChild<QPushButton*>()->isVisible();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    dialog.ExecSend(send, keys);
    EXPECT_EQ(look.caption, "Export Xyz by ZUB");
    EXPECT_EQ(look.button, "送信");
    EXPECT_EQ(look.tint, QColor(0, 255, 255));
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList{"通信条件（速度・データ長・パリティ・ストップビット）をポートに設定できません"});
    EXPECT_TRUE(buttonBack);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
} // namespace vemo::test
