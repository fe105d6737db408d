// One copy of the program at a time; a killed copy leaves Normal false.
#include "ui/main/StartUp.h"
#include "MainFixture.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/main/SingleInstanceLock.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStyle>
#include <QThread>
#include <QTimer>

#include <filesystem>

namespace vemo::test {
namespace {

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    TempDir tmp;
    qputenv("TMPDIR", QByteArray::fromStdString(tmp.Str()));
    SingleInstanceLock first(QStringLiteral("UniqueNameTest"));
    SingleInstanceLock second(QStringLiteral("UniqueNameTest"));
    EXPECT_TRUE(first.path().startsWith(QString::fromStdString(tmp.Str())));
    ASSERT_TRUE(first.tryLock());
    EXPECT_FALSE(second.tryLock());
    first.unlock();
    EXPECT_TRUE(second.tryLock());
    second.unlock();
    qunsetenv("TMPDIR");
}

TEST(SingleInstance, SecondStartShowsTheMessageAndEndsWithOne) {
    TempDir tmp;
    qputenv("TMPDIR", QByteArray::fromStdString(tmp.Str()));
    SingleInstanceLock running;
    ASSERT_TRUE(running.tryLock());
    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();
    const QString titleBefore = ApplicationTitle();
    EXPECT_EQ(StartUp::Run({QStringLiteral("vemo")}), 1);
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("Vemoは既に起動しています")});
    // Nothing else happened: no window, no title change.
    EXPECT_EQ(ApplicationTitle(), titleBefore);
    MessageBox::SetCapture(false);
    running.unlock();
    qunsetenv("TMPDIR");
}

// The whole start-up in this process: the window shows, closing it ends the run with 0 and Normal = 1.
TEST(StartUpRun, MainWindowShowsAndClosingEndsWithZero) {
    TempDir tmp;
    TempDir home;
    const QByteArray oldHome = qgetenv("VEMO_HOME");
    qputenv("TMPDIR", QByteArray::fromStdString(tmp.Str()));
    qputenv("VEMO_HOME", QByteArray::fromStdString(home.Str()));
    MessageBox::SetCapture(true);
    QString title;
    QImage shot;
    QImage icon;
    std::string iniWhileRunning;
    QTimer::singleShot(500, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* main = qobject_cast<MainWindow*>(widget);
            if (main != nullptr && main->isVisible()) {
                title = main->windowTitle();
                icon = main->windowIcon().pixmap(32, 32).toImage();
                shot = main->grab().toImage();
                iniWhileRunning = ReadBytes(home.File("VEMO.ini"));
                main->close();
            }
        }
    });
    // Never hang the test run if the window did not come up.
    QTimer::singleShot(30000, [] { QApplication::quit(); });
    EXPECT_EQ(StartUp::Run({QStringLiteral("vemo")}), 0);
    EXPECT_EQ(title, QStringLiteral("[Vemo]"));
    ASSERT_FALSE(icon.isNull()) << "the window has no icon";
    EXPECT_EQ(QColor(icon.pixel(8, 2)), QColor(0, 0, 64)); // the plot's dark blue
    EXPECT_NE(iniWhileRunning.find("Normal=0"), std::string::npos) << iniWhileRunning;
    EXPECT_NE(ReadBytes(home.File("VEMO.ini")).find("Normal=1"), std::string::npos);
    EXPECT_FALSE(shot.isNull());
    // Hints come up without delay.
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 0);
    const QByteArray dir = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("start-up.png")));
    }
    // The lock was let go: the next start may take it.
    SingleInstanceLock next;
    EXPECT_TRUE(next.tryLock());
    MessageBox::SetCapture(false);
    qputenv("VEMO_HOME", oldHome);
    qunsetenv("TMPDIR");
}

// The built program next to the test programs (build/tests -> build/src/app/vemo).
QString VemoProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/vemo");
}

bool WaitForFileText(const std::string& path, const std::string& text, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(QString::fromStdString(path)) && ReadBytes(path).find(text) != std::string::npos) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

class Process : public testing::Test {
protected:
    void SetUp() override {
        if (!QFileInfo::exists(VemoProgram())) {
            GTEST_SKIP() << "vemo is not built";
        }
        env.insert(QStringLiteral("VEMO_HOME"), QString::fromStdString(home.Str()));
        env.insert(QStringLiteral("TMPDIR"), QString::fromStdString(tmp.Str()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("VEMO_BATCH"), QStringLiteral("1"));
    }
    void Start(QProcess& process) {
        process.setProcessEnvironment(env);
        process.start(VemoProgram(), {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    std::string Ini() const { return home.File("VEMO.ini"); }

    TempDir home;
    TempDir tmp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};

TEST_F(Process, SecondCopyEndsWithOneAndTheFirstRunsOn) {
    QProcess first;
    Start(first);
    ASSERT_TRUE(WaitForFileText(Ini(), "Normal=0", 30000)) << "the first copy did not start";

    QProcess second;
    Start(second);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("Vemoは既に起動しています")));
    EXPECT_EQ(first.state(), QProcess::Running);

    // Killed: the marker stays false, so the next start restores from the auto-save files.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_NE(ReadBytes(Ini()).find("Normal=0"), std::string::npos);

    // The lock of the killed copy does not keep the next one out.
    std::remove(Ini().c_str());
    QProcess third;
    Start(third);
    EXPECT_TRUE(WaitForFileText(Ini(), "Normal=0", 30000)) << "the lock of a killed copy was not taken over";
    EXPECT_EQ(third.state(), QProcess::Running);
    third.kill();
    third.waitForFinished(10000);
}

// Installed with `--prefix ~/.local` (a bin folder the user may write) and started as a user would, without
// VEMO_HOME: the settings go to the XDG config folder, the auto-save files to the XDG data folder, the data
// folder is "Vemo" in the documents folder, and nothing is written beside the program.
TEST_F(Process, AnInstalledProgramWritesIntoTheUsersFoldersOnly) {
    TempDir root;
    const std::string bin = root.File("prefix/bin");
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(VemoProgram().toStdString(), bin + "/vemo");
    env.remove(QStringLiteral("VEMO_HOME"));
    env.insert(QStringLiteral("HOME"), QString::fromStdString(root.File("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(root.File("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(root.File("data")));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString(bin + "/vemo"), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const std::string ini = root.File("config") + "/vemo/VEMO.ini";
    EXPECT_TRUE(WaitForFileText(ini, "Normal=0", 30000)) << "no settings in the XDG config folder";
    program.kill();
    program.waitForFinished(10000);
    EXPECT_TRUE(std::filesystem::is_directory(root.File("data") + "/vemo"));
    EXPECT_TRUE(std::filesystem::is_directory(root.File("home") + "/Vemo")); // no user-dirs.dirs: HOME
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(bin), {}), 1) << "written beside the program";
}

// A double-click on a file while the program runs: the second copy hands the file to the running window
// (which treats it as dropped: a ".txt" is refused there, its message saying where it came from) and ends without
// complaint.
TEST_F(Process, ASecondStartWithAFileHandsItToTheRunningWindow) {
    QProcess first;
    Start(first);
    ASSERT_TRUE(WaitForFileText(Ini(), "Normal=0", 30000)) << "the first copy did not start";
    const std::string file = home.File("note.txt");
    WriteBytes(file, "x");

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(VemoProgram(), {QString::fromStdString(file)});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("既に起動しています")));
    QDeadlineTimer deadline(30000);
    QString firstSaid;
    const QString refusal = QStringLiteral("別に起動された Vemo から渡されたファイル「note.txt」は開けません");
    while (!firstSaid.contains(refusal) && !deadline.hasExpired()) {
        first.waitForReadyRead(200);
        firstSaid += QString::fromUtf8(first.readAllStandardError());
    }
    EXPECT_TRUE(firstSaid.contains(refusal)) << firstSaid.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(10000);
}

} // namespace
} // namespace vemo::test

namespace vemo::test {
namespace {

// The program as the package ships it (debug information stripped) names no folder of the machine it
// was built on: neither the help book nor anything else is looked for there.
TEST(BuiltProgram, HoldsNoPathOfTheBuildMachine) {
    TempDir dir;
    const QString stripped = QString::fromStdString(dir.File("vemo"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("objcopy"),
                                {QStringLiteral("--strip-debug"), QStringLiteral(VEMO_PROGRAM_FILE), stripped}),
              0);
    const std::string bytes = ReadBytes(stripped.toStdString());
    ASSERT_GT(bytes.size(), 100000u);
    EXPECT_EQ(bytes.find(VEMO_SOURCE_DIR), std::string::npos);
}

} // namespace
} // namespace vemo::test
