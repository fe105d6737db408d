#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/LockKeys.h"
#include "ui/common/MessageBox.h"
#include "ui/common/SystemBeep.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>
#include <stdexcept>

#if __has_include(<X11/XKBlib.h>)
#include <X11/XKBlib.h>
#define VEMO_TEST_X11 1
#endif

namespace vemo {
namespace {

class Boundary : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
    }
    void TearDown() override { MessageBox::SetCapture(false); }
};

TEST_F(Boundary, CapturedMessagesAreRecordedAndAnswered) {
    MessageBox::Show(nullptr, QStringLiteral("File Open Error !!"));
    EXPECT_EQ(MessageBox::Ask(nullptr, QStringLiteral("編集中の座標リストを破棄します")), QMessageBox::Ok);
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    EXPECT_EQ(MessageBox::Ask(nullptr, QStringLiteral("編集中の画地データをクリアします")), QMessageBox::Cancel);
    // The scripted answer is used once only.
    EXPECT_EQ(MessageBox::Ask(nullptr, QStringLiteral("again"), QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
              QMessageBox::No);
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList({QStringLiteral("File Open Error !!"), QStringLiteral("編集中の座標リストを破棄します"),
                           QStringLiteral("編集中の画地データをクリアします"), QStringLiteral("again")}));
}

TEST_F(Boundary, CoreErrorIsShownInJapaneseAndTheProgramGoesOn) {
    const bool ok = RunCommand([] { throw Error(Jp("'1O.5' は浮動小数点数ではありません")); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(MessageBox::ShownTexts().front(), QStringLiteral("'1O.5' は浮動小数点数ではありません"));

    int runs = 0;
    EXPECT_TRUE(RunCommand([&runs] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(MessageBox::ShownTexts().size(), 1);
}

TEST_F(Boundary, OtherExceptionsAreReportedAsInternalErrors) {
    EXPECT_FALSE(RunCommand([] { throw std::out_of_range("row 100000 is out of range"); }));
    EXPECT_FALSE(RunCommand([] { throw 42; }));
    ASSERT_EQ(MessageBox::ShownTexts().size(), 2);
    EXPECT_EQ(MessageBox::ShownTexts()[0], QStringLiteral("内部エラーが発生しました（row 100000 is out of range）"));
    EXPECT_FALSE(MessageBox::ShownTexts()[1].isEmpty());
}

TEST_F(Boundary, EventDeliveryKeepsItsResultOrFails) {
    EXPECT_TRUE(GuardDelivery([] { return true; }));
    EXPECT_FALSE(GuardDelivery([]() -> bool { throw Error(Jp("入力ファイルを開けません")); }));
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("入力ファイルを開けません")});
}

TEST(ApplicationTitleTest, FollowsTheLastSetTitle) {
    const QString before = ApplicationTitle();
    SetApplicationTitle(QStringLiteral("[Vemo]"));
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("[Vemo]"));
    SetApplicationTitle(before);
}

TEST(SystemBeepTest, EveryRefusalIsCounted) {
    SystemBeep::ResetCount();
    SystemBeep::Beep();
    SystemBeep::Beep();
    EXPECT_EQ(SystemBeep::Count(), 2);
}

TEST(LockKeysTest, LockKeysAreFollowedWithoutAWindowSystem) {
    LockKeys locks;
    if (locks.fromWindowSystem()) {
        GTEST_SKIP() << "the X server reports the lock state";
    }
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    EXPECT_FALSE(locks.capsLock());
    QTest::keyClick(&edit, Qt::Key_CapsLock);
    EXPECT_TRUE(locks.capsLock());
    EXPECT_FALSE(locks.numLock());
    QTest::keyClick(&edit, Qt::Key_NumLock);
    QTest::keyClick(&edit, Qt::Key_CapsLock);
    EXPECT_FALSE(locks.capsLock());
    EXPECT_TRUE(locks.numLock());
}

#ifdef VEMO_TEST_X11
// Under an X server (xvfb-run with QT_QPA_PLATFORM=xcb) the panels follow the server's lock state,
// including locks switched outside the program.
TEST(LockKeysTest, X11LockStateIsRead) {
    LockKeys locks;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!locks.fromWindowSystem() || x11 == nullptr) {
        GTEST_SKIP() << "not running on X11";
    }
    Display* display = x11->display();
    const unsigned numMask = XkbKeysymToModifiers(display, 0xff7f /* XK_Num_Lock */);
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | numMask, LockMask);
    XSync(display, 0);
    EXPECT_TRUE(locks.capsLock());
    EXPECT_FALSE(locks.numLock());
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | numMask, numMask);
    XSync(display, 0);
    EXPECT_FALSE(locks.capsLock());
    EXPECT_TRUE(locks.numLock());
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | numMask, 0);
    XSync(display, 0);
}
#endif

} // namespace
} // namespace vemo
