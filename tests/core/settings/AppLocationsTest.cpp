// Where the program keeps its files: VEMO_HOME, a portable copy, or the desktop's own folders, and
// what happens to a settings file at the place older versions used.  Every case runs on temporary
// HOME and XDG_* folders.
#include "core/settings/AppLocations.h"
#include "ScopedEnv.h"
#include "core/settings/IniDocument.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScopedEnv;
using test::TempDir;
using test::WriteBytes;

size_t EntriesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

class Locations : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(bin);
        WriteBytes(bin + "/vemo", "program");
    }
    TempDir root;
    std::string bin = root.File("prefix/bin"); // a writable installation, as `--prefix ~/.local` makes
    ScopedEnv home{"HOME", root.File("home").c_str()};
    ScopedEnv config{"XDG_CONFIG_HOME", root.File("config").c_str()};
    ScopedEnv data{"XDG_DATA_HOME", root.File("data").c_str()};
    ScopedEnv vemoHome{"VEMO_HOME", nullptr};
};

TEST_F(Locations, AnInstalledProgramUsesTheDesktopsFoldersAndWritesNothingBesideItself) {
    const AppLocations places = ResolveLocations(bin);
    EXPECT_EQ(places.settingsFolder, root.File("config") + "/vemo");
    EXPECT_EQ(places.dataFolder, root.File("data") + "/vemo");
    EXPECT_TRUE(fs::is_directory(places.settingsFolder));
    EXPECT_TRUE(fs::is_directory(places.dataFolder));
    // Without user-dirs.dirs the documents folder is HOME, as xdg-user-dir answers.
    EXPECT_EQ(places.defaultDatDir, root.File("home") + "/Vemo");
    EXPECT_TRUE(places.notes.empty());
    EXPECT_EQ(EntriesIn(bin), 1u);

    // The documents folder of the user's desktop, "$HOME/..." put in.
    WriteBytes(root.File("config") + "/user-dirs.dirs",
               "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
               "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n");
    EXPECT_EQ(ResolveLocations(bin).defaultDatDir, root.File("home") + "/ドキュメント/Vemo");
    WriteBytes(root.File("config") + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n");
    EXPECT_EQ(DocumentsFolder(), "/srv/docs");
}

TEST_F(Locations, VemoHomeAndAPortableCopyKeepEverythingInTheirFolder) {
    {
        ScopedEnv set("VEMO_HOME", (root.File("vh") + "/").c_str());
        const AppLocations places = ResolveLocations(bin);
        EXPECT_EQ(places.settingsFolder, root.File("vh"));
        EXPECT_EQ(places.dataFolder, root.File("vh"));
        EXPECT_EQ(places.defaultDatDir, root.File("vh"));
        EXPECT_TRUE(fs::is_directory(root.File("vh")));
    }
    // A copy of the program in a folder of its own that holds its own settings file stays portable.
    const std::string stick = root.File("stick/Vemo");
    fs::create_directories(stick);
    WriteBytes(stick + "/Vemo.ini", "[Dir]\r\n");
    EXPECT_EQ(ResolveLocations(stick).settingsFolder, stick);
    EXPECT_EQ(ResolveLocations(stick).dataFolder, stick);
    // Without one it is an ordinary installation.
    EXPECT_EQ(ResolveLocations(root.File("stick")).settingsFolder, root.File("config") + "/vemo");
}

// Older versions kept "VEMO.ini" and the auto-save files beside a writable program (~/.local/bin) or
// in the user data folder: they are moved to the new places once, and the sites that lived in the
// old default data folder stay in view.
TEST_F(Locations, FilesAtTheOldPlaceAreMovedAndTheirSitesStayInView) {
    WriteBytes(bin + "/VEMO.ini", Jp("[Head]\r\nCase1=工事名\r\n"));
    WriteBytes(bin + "/Auto.Xyz", "xyz");
    WriteBytes(bin + "/Auto.Blk", "blk");
    fs::create_directories(bin + "/現場A");
    const AppLocations places = ResolveLocations(bin);
    const std::string ini = places.settingsFolder + "/VEMO.ini";
    ASSERT_TRUE(fs::exists(ini));
    IniDocument moved(ReadBytes(ini));
    EXPECT_EQ(moved.Find("Head", "Case1"), Jp("工事名"));
    EXPECT_EQ(moved.Find("Dir", "DatDir"), PathToCp932(bin));
    EXPECT_EQ(ReadBytes(places.dataFolder + "/Auto.Xyz"), "xyz");
    EXPECT_EQ(ReadBytes(places.dataFolder + "/Auto.Blk"), "blk");
    EXPECT_FALSE(fs::exists(bin + "/VEMO.ini"));
    EXPECT_FALSE(fs::exists(bin + "/Auto.Xyz"));
    ASSERT_EQ(places.notes.size(), 1u);
    EXPECT_NE(Cp932ToUtf8(places.notes[0]).find("移しました"), std::string::npos);
    // Once moved, the next start finds it at the new place and says nothing.
    EXPECT_TRUE(ResolveLocations(bin).notes.empty());

    // The user data folder of the older read-only installations: the file moves up to the settings
    // folder; a file without sites keeps the new default data folder.
    fs::remove(ini);
    WriteBytes(places.dataFolder + "/vemo.INI", "[Key]\r\nUpperChr=0\r\n");
    const AppLocations again = ResolveLocations(bin);
    EXPECT_EQ(IniDocument(ReadBytes(ini)).Find("Key", "UpperChr"), "0");
    EXPECT_FALSE(IniDocument(ReadBytes(ini)).Find("Dir", "DatDir").has_value());
    EXPECT_FALSE(fs::exists(places.dataFolder + "/vemo.INI"));
}

} // namespace
} // namespace vemo
