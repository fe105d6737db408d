#include "core/files/DataFolders.h"

#include "core/files/DataPaths.h"
#include "core/files/FileIo.h"
#include "core/files/Profile.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

namespace fs = std::filesystem;

// DatDir/現場B/{座標1(.Xyz)/{画地1(.Blk), 画地2}, 孤立}, DatDir/A現場, a stray file.
void MakeSites(const fs::path& root) {
    fs::path b = root / FsName(Jp("現場B"));
    fs::create_directories(b / FsName(Jp("座標1")) / FsName(Jp("画地1")));
    fs::create_directories(b / FsName(Jp("座標1")) / FsName(Jp("画地2")));
    fs::create_directories(b / FsName(Jp("孤立")) / "inner");
    fs::create_directories(root / FsName(Jp("A現場")));
    test::WriteBytes((b / FsName(Jp("座標1.Xyz"))).string(), "");
    test::WriteBytes((b / FsName(Jp("座標1")) / FsName(Jp("画地1.Blk"))).string(), "");
    test::WriteBytes((root / "stray.txt").string(), "");
}

TEST(DataTree, LevelsIconsAndMissingData) {
    test::TempDir dir;
    MakeSites(dir.Path());
    std::vector<DataNode> sites = BuildDataTree(dir.Path());
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].name, Jp("A現場"));
    const DataNode& b = sites[1];
    EXPECT_EQ(b.icon, DataIcon::Site);
    ASSERT_EQ(b.children.size(), 2u);
    // Sorted by CP932 bytes: 孤立 (8C C7) before 座標1 (8D C0).
    const DataNode& xyz = b.children[1];
    EXPECT_EQ(xyz.name, Jp("座標1"));
    EXPECT_EQ(xyz.level, 1);
    EXPECT_EQ(xyz.icon, DataIcon::Coordinates);
    ASSERT_EQ(xyz.children.size(), 2u);
    EXPECT_EQ(xyz.children[0].icon, DataIcon::Parcels);
    EXPECT_EQ(xyz.children[1].icon, DataIcon::MissingData);
    // A folder without its ".Xyz" shows icon 3 and is not descended into.
    EXPECT_EQ(b.children[0].icon, DataIcon::MissingData);
    EXPECT_TRUE(b.children[0].children.empty());
    EXPECT_TRUE(BuildDataTree(dir.Path() / "missing").empty());
}

// Data copied from other systems may carry ".XYZ" or ".xyz": it is the node's data all the same.
TEST(DataTree, DataFileInAnyCaseIsFound) {
    test::TempDir dir;
    for (const char* name : {"up.XYZ", "low.xyz"}) {
        std::string stem(name, std::string_view(name).find('.'));
        fs::create_directories(dir.Path() / "site" / stem);
        test::WriteBytes((dir.Path() / "site" / name).string(), "");
        EXPECT_EQ(XyzFilePath(dir.Path(), "site", stem), dir.Path() / "site" / name);
    }
    std::vector<DataNode> sites = BuildDataTree(dir.Path());
    ASSERT_EQ(sites.at(0).children.size(), 2u);
    EXPECT_EQ(sites[0].children[0].icon, DataIcon::Coordinates);
    EXPECT_EQ(sites[0].children[1].icon, DataIcon::Coordinates);
    EXPECT_EQ(XyzFilePath(dir.Path(), "site", "none"), dir.Path() / "site" / "none.Xyz");
}

TEST(DataTree, RenameMovesFolderAndFileOrNothing) {
    test::TempDir dir;
    MakeSites(dir.Path());
    fs::path site = dir.Path() / FsName(Jp("現場B"));
    RenameDataNode(site, 1, Jp("座標1"), Jp("座標9"));
    EXPECT_TRUE(fs::is_directory(site / FsName(Jp("座標9"))));
    EXPECT_TRUE(fs::exists(site / FsName(Jp("座標9.Xyz"))));
    EXPECT_FALSE(fs::exists(site / FsName(Jp("座標1.Xyz"))));

    // The folder could take the new name but the data file could not: the folder is put back.
    test::WriteBytes((site / "taken.Xyz").string(), "other data");
    try {
        RenameDataNode(site, 1, Jp("座標9"), "taken");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("ディレクトリ名が重複しているかまたは不正です"));
    }
    EXPECT_TRUE(fs::is_directory(site / FsName(Jp("座標9"))));
    EXPECT_FALSE(fs::exists(site / "taken"));
    EXPECT_EQ(test::ReadBytes((site / "taken.Xyz").string()), "other data");

    // A site renamed to an existing (even empty) site folder is refused.
    EXPECT_THROW(RenameDataNode(dir.Path(), 0, Jp("現場B"), Jp("A現場")), Error);
    EXPECT_TRUE(fs::exists(site));
    EXPECT_THROW(RenameDataNode(dir.Path(), 0, Jp("現場B"), "a/b"), Error);
    // Data whose file is missing renames as a folder alone.
    RenameDataNode(site, 1, Jp("孤立"), "alone");
    EXPECT_TRUE(fs::is_directory(site / "alone" / "inner"));
}

TEST(DataTree, NamesAndSaveChecks) {
    EXPECT_TRUE(IsValidDataName(Jp("表ソ十"))); // second bytes 0x5C are not separators
    EXPECT_TRUE(IsValidDataName("No.1"));
    EXPECT_FALSE(IsValidDataName(""));
    EXPECT_FALSE(IsValidDataName(".."));
    EXPECT_FALSE(IsValidDataName("a\\b"));
    EXPECT_FALSE(IsValidDataName("a:b"));
    EXPECT_FALSE(IsValidDataName("end."));
    EXPECT_FALSE(IsValidDataName("tab\t"));
    test::TempDir dir;
    EXPECT_TRUE(CreateDataFolder(dir.Path(), Jp("新現場")));
    EXPECT_FALSE(CreateDataFolder(dir.Path(), Jp("新現場")));
    EXPECT_FALSE(CreateDataFolder(dir.Path(), "a*b"));

    EXPECT_FALSE(SaveNamesDiffer("", "", "S", "X"));
    EXPECT_FALSE(SaveNamesDiffer("S", "X", "S", "X"));
    EXPECT_TRUE(SaveNamesDiffer("S", "X", "S", "Y"));
    EXPECT_TRUE(SaveParcelNameDiffers("B", "C"));
    EXPECT_FALSE(SaveParcelNameDiffers("", "C"));
}

TEST(Profile, TemplateNameAndFile) {
    std::vector<std::string> labels{Jp("口座名"), Jp("項目２")};
    std::string text = ProfileTemplate(labels);
    EXPECT_EQ(text, Jp("口座名\t｜\n項目２\t｜"));
    EXPECT_EQ(text.substr(CaretAfterFirstBar(labels), 1), "\n");
    std::tm now{};
    now.tm_year = 2026 - 1900;
    now.tm_mon = 11;
    now.tm_mday = 9;
    now.tm_hour = 7;
    now.tm_min = 5;
    now.tm_sec = 3;
    EXPECT_EQ(NameFromProfile(Jp("口座名\t｜山田邸\n項目２\t｜x"), labels[0], now), Jp("山田邸"));
    EXPECT_EQ(NameFromProfile(text, labels[0], now), "20261209070503");
    EXPECT_EQ(DuplicateFolderMessage(labels[0], "A"),
              Jp("口座名\t｜A が重複しています．\n\nフォルダが作成できませんでした．"));

    test::TempDir dir;
    fs::path path = dir.Path() / ProfileFileName(0);
    EXPECT_FALSE(ReadProfileFile(path));
    WriteProfileFile(path, Jp("口座名\t｜山田邸\n項目２\t｜"));
    EXPECT_EQ(*ReadProfileFile(path), Jp("口座名\t｜山田邸\r\n項目２\t｜\r\n"));
    EXPECT_STREQ(ProfileFileName(2), "Blk.Pro");

    // New data: folder and profile together, or nothing at all.
    ASSERT_TRUE(CreateFolderWithProfile(dir.Path(), Jp("座標A"), 1, Jp("項目１\t｜座標A")));
    EXPECT_EQ(test::ReadBytes((dir.Path() / FsName(Jp("座標A")) / "Xyz.Pro").string()), Jp("項目１\t｜座標A\r\n"));
    EXPECT_FALSE(CreateFolderWithProfile(dir.Path(), Jp("座標A"), 1, "other"));
    EXPECT_EQ(test::ReadBytes((dir.Path() / FsName(Jp("座標A")) / "Xyz.Pro").string()), Jp("項目１\t｜座標A\r\n"));
}

} // namespace
} // namespace vemo
