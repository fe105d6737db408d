#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(ProgramFolder, TheExecutableFolderHoldsTheRunningProgram) {
    std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(ExecutableFolder() + "/" + std::filesystem::path(exe).filename().string(), exe);
    TempDir dir;
    EXPECT_TRUE(IsWritableFolder(dir.Str()));
    EXPECT_FALSE(IsWritableFolder(dir.File("missing")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0); // the probe is gone
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

// CP932 holds 〜 (U+301C) and ～ (U+FF5E) as the same code, and so − ‖ — ¢ £ ¬ and their pairs: a
// folder held as CP932 is found again under the exact name it has on disk, at any depth.
TEST(ProgramFolder, FoldersWhoseCharactersShareACp932CodeAreFoundUnderTheirOwnName) {
    TempDir dir;
    const std::string names[] = {"現場〜2024", "区画−3", "‖線", "A—B", "¢£¬"};
    for (const std::string& name : names) {
        const std::string folder = dir.File(name) + "/座標〜1";
        std::filesystem::create_directories(folder);
        const std::string held = PathToCp932(folder);
        ASSERT_NE(Cp932ToUtf8(held), folder) << name; // the plain conversion gives the other character
        EXPECT_EQ(PathFromCp932(held), folder) << name;
        EXPECT_EQ(ExistingEntryOfCp932Name(dir.Path(), Jp(name)), dir.Path() / name) << name;
    }
    // A folder that is not there yet is named by the plain conversion (the one to create).
    EXPECT_EQ(PathFromCp932(PathToCp932(dir.File("新〜"))), dir.File("新～"));
}

} // namespace
} // namespace vemo
