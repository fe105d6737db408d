// The association boxes register this program with the desktop for the current user at once, and
// record it in the settings file only when that worked.
#include "SettingsDialogFixture.h"

#include "ui/settings/SettingsPages.h"

#include <QProcess>

namespace vemo::test {
namespace {

// The desktop's own answer, as a file manager would ask it.  The type of a file comes from the
// shared MIME database only on a named desktop (without one, xdg-mime asks file(1) for the content).
QString XdgMime(const QStringList& arguments, const QString& desktop = {}) {
    QProcess tool;
    if (!desktop.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        tool.setProcessEnvironment(environment);
    }
    tool.start(QStringLiteral("xdg-mime"), arguments);
    EXPECT_TRUE(tool.waitForFinished(30000));
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

class Association : public SettingsDialogTest {
protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        // A desktop of its own: nothing of the user's real associations is read or changed.
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "PATH"}) {
            saved.emplace_back(name, qgetenv(name));
        }
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome.Str()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(configHome.Str()));
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            qputenv(name, value);
        }
        SettingsDialogTest::TearDown();
    }
    TempDir dataHome;
    TempDir configHome;
    std::vector<std::pair<const char*, QByteArray>> saved;
};

TEST_F(Association, CheckingMakesThisProgramTheOpenerOfItsFilesAndUncheckingWithdrawsIt) {
    Start();
    OtherPage& page = dialog->otherPage();
    const struct {
        QCheckBox* box;
        const char* mime;
        const char* sample; // a file name in the case a surveyor's files come in
        const char* key;
    } kinds[] = {{page.simaLink(), "application/x-sima", "GENBA.SIM", "SIMALnk"},
                 {page.xyzLink(), "application/x-vemo-xyz", "Site.Xyz", "XyzLnk"}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.key);
        const QStringList defaultQuery = {"query", "default", kind.mime};
        const std::string sample = home.File(kind.sample);
        WriteBytes(sample, "A00,\r\n");
        ASSERT_EQ(XdgMime(defaultQuery), QString());

        kind.box->click();
        EXPECT_TRUE(MessageBox::shownTexts().isEmpty()) << MessageBox::shownTexts().join("\n").toStdString();
        EXPECT_EQ(XdgMime({"query", "filetype", QString::fromStdString(sample)}, "GNOME"), kind.mime);
        EXPECT_EQ(XdgMime(defaultQuery), "vemo.desktop");
        EXPECT_EQ(FileValue("Data", kind.key), "1");
    }
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.key);
        kind.box->click();
        EXPECT_EQ(XdgMime({"query", "default", kind.mime}), QString());
        EXPECT_EQ(FileValue("Data", kind.key), "0");
    }
}

// Without the desktop's tool nothing can be registered: the box goes back, the surveyor reads why,
// and the file does not claim an association.
TEST_F(Association, AFailedRegistrationIsReportedAndNotRecorded) {
    Start();
    TempDir emptyPath;
    qputenv("PATH", QByteArray::fromStdString(emptyPath.Str()));
    QCheckBox* xyz = dialog->otherPage().xyzLink();
    xyz->click();
    EXPECT_FALSE(xyz->isChecked());
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().front().contains("xdg-utils"));
    EXPECT_FALSE(workspace->settings().Data.XyzLnk);
    EXPECT_FALSE(FileValue("Data", "XyzLnk").has_value());
}

} // namespace
} // namespace vemo::test
