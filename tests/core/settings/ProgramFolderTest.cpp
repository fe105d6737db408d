#include "core/settings/ProgramFolder.h"
#include "ScopedEnv.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

using test::ScopedEnv;
using test::TempDir;
using test::WriteBytes;

TEST(ProgramFolder, VemoHomeOverridesTheExecutableFolder) {
    TempDir dir;
    std::string home = dir.File("home");
    ScopedEnv env("VEMO_HOME", (home + "/").c_str());
    EXPECT_EQ(ProgramFolder(), home); // no trailing separator
    EXPECT_TRUE(std::filesystem::is_directory(home));
    EXPECT_EQ(SettingsFilePath(ProgramFolder()), home + "/VEMO.ini");
}

TEST(ProgramFolder, WithoutVemoHomeItIsTheFolderOfTheExecutable) {
    ScopedEnv env("VEMO_HOME", nullptr);
    std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string folder = ExecutableFolder();
    EXPECT_EQ(folder + "/" + std::filesystem::path(exe).filename().string(), exe);
    TempDir writable;
    EXPECT_EQ(ChooseProgramFolder(writable.Str() + "/"), writable.Str());
}

TEST(ProgramFolder, AFolderThatCannotBeWrittenFallsBackToTheUserDataFolder) {
    TempDir dir;
    ScopedEnv home("VEMO_HOME", nullptr);
    ScopedEnv xdg("XDG_DATA_HOME", dir.File("data").c_str());
    WriteBytes(dir.File("plain"), "x");
    std::string missing = dir.File("plain") + "/bin"; // cannot exist, whoever runs the test
    EXPECT_FALSE(IsWritableFolder(missing));
    EXPECT_EQ(ChooseProgramFolder(missing), dir.File("data") + "/vemo");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("data") + "/vemo"));
    EXPECT_TRUE(IsWritableFolder(dir.Str()));
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(ProgramFolder, UserDataFolderIgnoresARelativeXdgValue) {
    TempDir dir;
    ScopedEnv xdg("XDG_DATA_HOME", "relative/path");
    ScopedEnv home("HOME", dir.Str().c_str());
    EXPECT_EQ(UserDataFolder(), dir.Str() + "/.local/share/vemo");
}

TEST(ProgramFolder, FindsTheSettingsFileWhateverTheCaseOfItsName) {
    TempDir dir;
    EXPECT_EQ(SettingsFilePath(dir.Str()), dir.File("VEMO.ini"));
    WriteBytes(dir.File("vemo.INI"), "[Exit]\r\n");
    WriteBytes(dir.File("VEMO.ini.bak"), "");
    EXPECT_EQ(SettingsFilePath(dir.Str()), dir.File("vemo.INI"));
    WriteBytes(dir.File("Vemo.ini"), "");
    EXPECT_EQ(SettingsFilePath(dir.Str()), dir.File("Vemo.ini")); // byte order: "V" before "v"
    WriteBytes(dir.File("VEMO.ini"), "");
    EXPECT_EQ(SettingsFilePath(dir.Str()), dir.File("VEMO.ini")); // the exact name wins
}

TEST(ProgramFolder, JoinsWithOneSlash) {
    EXPECT_EQ(JoinPath("/a/b", "VEMO.ini"), "/a/b/VEMO.ini");
    EXPECT_EQ(JoinPath("/", "VEMO.ini"), "/VEMO.ini");
    EXPECT_EQ(JoinPath("", "VEMO.ini"), "VEMO.ini");
}

TEST(ProgramFolder, ConvertsFolderNamesBetweenTheFileSystemAndCp932) {
    std::string utf8 = "/home/測量/現場";
    std::string cp932 = PathToCp932(utf8);
    EXPECT_EQ(cp932, "/home/" + Jp("測量") + "/" + Jp("現場"));
    EXPECT_EQ(PathFromCp932(cp932), utf8);
    // A name with bytes that are not CP932 stays as it is both ways.
    EXPECT_EQ(PathFromCp932("/a/\x81"), "/a/\x81");
    EXPECT_EQ(PathToCp932("/a/\xF0\x9F\x98\x80"), "/a/\xF0\x9F\x98\x80");
}

} // namespace
} // namespace vemo
