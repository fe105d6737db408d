// The association boxes register this program with the desktop for the current user at once, and
// record it in the settings file only when that worked.
#include "SettingsDialogFixture.h"

#include "ui/settings/SettingsPages.h"

#include <QProcess>

#include <filesystem>

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
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "PATH"}) {
            saved.emplace_back(name, qgetenv(name));
        }
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome.Str()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(configHome.Str()));
        // The system's folders as a desktop without the package sees them.
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(system.Str()));
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            qputenv(name, value);
        }
        SettingsDialogTest::TearDown();
    }
    // The package's desktop entry, as `apt install` puts it in the system's folder.
    void InstallPackage() const {
        std::filesystem::create_directories(system.Path() / "applications");
        std::filesystem::copy_file(VEMO_SOURCE_DIR "/packaging/vemo.desktop",
                                   system.Path() / "applications/vemo.desktop");
    }
    std::vector<std::string> OwnEntries() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(dataHome.Path() / "applications", ec)) {
            if (entry.path().extension() == ".desktop") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }
    TempDir dataHome;
    TempDir configHome;
    TempDir system;
    std::vector<std::pair<const char*, QByteArray>> saved;
};

TEST_F(Association, CheckingMakesThisProgramTheOpenerOfItsFilesAndUncheckingWithdrawsIt) {
    Start();
    const QString ownId = QStringLiteral("vemo-local.desktop"); // built from source: no package
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
        EXPECT_TRUE(MessageBox::ShownTexts().isEmpty()) << MessageBox::ShownTexts().join("\n").toStdString();
        EXPECT_EQ(XdgMime({"query", "filetype", QString::fromStdString(sample)}, "GNOME"), kind.mime);
        EXPECT_EQ(XdgMime(defaultQuery), ownId);
        EXPECT_EQ(FileValue("Data", kind.key), "1");
    }
    // The program's own entry lists what is associated, under an ID that never hides a package's.
    EXPECT_EQ(OwnEntries(), std::vector<std::string>{"vemo-local.desktop"});
    const std::string entry = ReadBytes((dataHome.Path() / "applications/vemo-local.desktop").string());
    EXPECT_NE(entry.find("MimeType=application/x-sima;application/x-vemo-xyz;"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Categories=Science;Geoscience;"), std::string::npos) << entry;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.key);
        kind.box->click();
        EXPECT_EQ(XdgMime({"query", "default", kind.mime}), QString());
        EXPECT_EQ(FileValue("Data", kind.key), "0");
    }
    // Nothing associated: no entry of this program stays in the user's menu.
    EXPECT_TRUE(OwnEntries().empty());
}

// With the package installed the boxes only choose its entry as the opener: no user entry is written
// that could hide it or outlive the package, and the one an older version wrote under the package's ID
// is taken away.
TEST_F(Association, WithThePackageInstalledItsEntryBecomesTheOpenerAndNoUserEntryIsWritten) {
    InstallPackage();
    std::filesystem::create_directories(dataHome.Path() / "applications");
    WriteBytes((dataHome.Path() / "applications/vemo.desktop").string(),
               "[Desktop Entry]\nType=Application\nName=Vemo Point Desk\nComment=座標管理・面積計算\n"
               "Categories=Office;Science;\nExec=\"/usr/bin/vemo\" %f\nMimeType=application/x-sima;\n");
    Start();
    QCheckBox* sima = dialog->otherPage().simaLink();
    sima->click();
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty()) << MessageBox::ShownTexts().join("\n").toStdString();
    EXPECT_EQ(XdgMime({"query", "default", "application/x-sima"}), "vemo.desktop");
    EXPECT_TRUE(OwnEntries().empty());
    sima->click();
    // The packaged entry still offers itself for the type; the user's default no longer names it.
    const std::string defaults = ReadBytes(configHome.File("mimeapps.list"));
    EXPECT_EQ(defaults.find("application/x-sima=vemo.desktop"), std::string::npos) << defaults;
    EXPECT_TRUE(OwnEntries().empty());
    EXPECT_EQ(FileValue("Data", "SIMALnk"), "0");
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
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts().front().contains("xdg-utils"));
    EXPECT_FALSE(workspace->settings().Data.XyzLnk);
    EXPECT_FALSE(FileValue("Data", "XyzLnk").has_value());
}

} // namespace
} // namespace vemo::test
