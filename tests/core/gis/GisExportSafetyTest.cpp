// What an export leaves when it cannot finish: a full disk, a read-only target, a file of a set that
// cannot be replaced, a kill at any moment.  The earlier files stay byte for byte, the message names
// the user's file and the reason, and no staging is left behind.
#include "core/gis/GisExport.h"
#include "core/gis/PlaneZones.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "support/ErrorMessage.h"
#include "support/FullDisk.h"
#include "support/Immutable.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vemo::gis {
namespace {
namespace fs = std::filesystem;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr ZoneChoice kZoneNine{9, Datum::Jgd2011};

// `count` points on a line in zone IX and one parcel over the first three.
struct Site {
    XyzList list;
    BlockList blocks;
    Site(int count, const std::string& prefix) {
        std::vector<XyzRow> rows;
        for (int i = 0; i < count; ++i) {
            rows.push_back({"", prefix + std::to_string(i), std::to_string(-33000.125 + i), "-6800.500", "1.25",
                            Jp("杭"), Jp("備考")});
        }
        list.ReplaceAll(std::move(rows));
        blocks.Add({Jp("画地1"), prefix + "0," + prefix + "1," + prefix + "2," + prefix + "0", 4, 0, 0});
    }
};

// Every file in the folder with its bytes, except the full disk's filler.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "filler") {
            contents[entry.path().filename().string()] =
                entry.is_regular_file() ? test::ReadBytes(entry.path().string()) : "(not a file)";
        }
    }
    return contents;
}

const char* const kFormats[] = {"site.dxf", "site.gpkg", "site.shp", "site.kml", "site.geojson"};

TEST(GisExportSafety, AFullDiskKeepsTheEarlierFilesOfEveryFormat) {
    const Site small(3, "OLD");
    const Site large(20000, "NEW");
    for (const char* name : kFormats) {
        test::FullDisk disk(64 * 1024);
        const fs::path target = disk.Path() / name;
        ExportSite(small.list, small.blocks, kZoneNine, target);
        const auto before = Contents(disk.Path());
        std::string message;
        disk.Run([&] { message = test::MessageOf([&] { ExportSite(large.list, large.blocks, kZoneNine, target); }); });
        EXPECT_THAT(message, HasSubstr(target.string() + "」に書き込めません（ディスクの空き容量が足りません）"))
            << name;
        EXPECT_THAT(message, Not(HasSubstr(".tmp"))) << name << ": the staging folder means nothing to the user";
        EXPECT_LT(message.size(), 400u) << name << ": " << message;
        EXPECT_EQ(Contents(disk.Path()), before) << name << ": the earlier files changed or staging was left";
    }
}

// A site of several megabytes on a disk with a little room or a lot (but never enough): each time the
// surveyor is told the disk is full, not of an input/output error, and the earlier file stays.  The
// drawing is written by the program itself and has no library to quote; GDAL's own explanation of
// another format may follow, but never a bare name of its internals (「（GDAL: entities）」).
TEST(GisExportSafety, AnExportTooLargeForTheRoomLeftIsToldAsAFullDisk) {
    const Site small(3, "OLD");
    const Site large(12000, "NEW"); // 1.6 MB as a GeoPackage, the smallest of its files
    for (const unsigned long freeBytes : {100ul << 10, 1200ul << 10}) {
        for (const char* name : kFormats) {
            test::FullDisk disk(freeBytes, 16ul << 20);
            const fs::path target = disk.Path() / name;
            ExportSite(small.list, small.blocks, kZoneNine, target);
            const auto before = Contents(disk.Path());
            std::string message;
            disk.Run(
                [&] { message = test::MessageOf([&] { ExportSite(large.list, large.blocks, kZoneNine, target); }); });
            EXPECT_THAT(message, HasSubstr(target.string() + "」に書き込めません（ディスクの空き容量が足りません）"))
                << name << " " << freeBytes;
            EXPECT_THAT(message, Not(ContainsRegex("（GDAL: [A-Za-z_]*）"))) << name << " " << freeBytes;
            if (std::string(name) == "site.dxf") {
                EXPECT_THAT(message, Not(HasSubstr("GDAL"))) << freeBytes;
            }
            EXPECT_EQ(Contents(disk.Path()), before) << name << " " << freeBytes << ": the earlier file changed";
        }
    }
}

// A read-only target is refused as a save refuses it, and its mode is kept otherwise.
TEST(GisExportSafety, ReadOnlyTargetsAreRefusedAndModesKept) {
    test::TempDir dir;
    const Site site(3, "P");
    const std::string locked = dir.File("locked.kml");
    test::WriteBytes(locked, "signed");
    ::chmod(locked.c_str(), 0444);
    EXPECT_THAT(test::MessageOf([&] { ExportSite(site.list, site.blocks, kZoneNine, locked); }),
                HasSubstr("locked.kml」に書き込めません（読み取り専用のファイルです）"));
    EXPECT_EQ(test::ReadBytes(locked), "signed");
    struct stat st {};
    ::stat(locked.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0444u);

    const std::string shared = dir.File("shared.geojson");
    test::WriteBytes(shared, "old");
    ::chmod(shared.c_str(), 0664);
    ExportSite(site.list, site.blocks, kZoneNine, shared);
    ::stat(shared.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(Contents(dir.Path()).size(), 2u);
}

// A Shapefile is a set of files: when its table (or the parcels' last file) cannot be replaced, the
// geometry already moved must go back, or the points would carry the names of the old ones.
TEST(GisExportSafety, AShapefileSetChangesWholeOrNotAtAll) {
    for (const char* last : {"site.dbf", "site_parcels.shx"}) {
        test::TempDir dir;
        const fs::path target = dir.Path() / "site.shp";
        ExportSite(Site(3, "OLD").list, Site(3, "OLD").blocks, kZoneNine, target);
        const auto before = Contents(dir.Path());
        if (!test::SetImmutable(dir.File(last), true)) {
            GTEST_SKIP() << "this file system or user cannot make a file immutable";
        }
        const Site next(5, "NEW");
        const std::string message = test::MessageOf([&] { ExportSite(next.list, next.blocks, kZoneNine, target); });
        test::SetImmutable(dir.File(last), false);
        EXPECT_THAT(message, HasSubstr(std::string(last) + "」に書き込めません（書き込みが許可されていません）"));
        EXPECT_EQ(Contents(dir.Path()), before) << last;
    }
}

// Staging left by a killed export goes at the next export of the same target; a link planted under a
// staging name is neither followed nor removed, and another target's staging is left alone.
TEST(GisExportSafety, StaleStagingIsSweptWithoutFollowingLinks) {
    test::TempDir dir;
    const Site site(3, "P");
    fs::create_directories(dir.Path() / "site.gpkg.0badf00d.tmp/data");
    test::WriteBytes(dir.File("site.gpkg.0badf00d.tmp/data/site.gpkg"), "half a package");
    fs::create_directory(dir.Path() / "victim");
    test::WriteBytes(dir.File("victim/precious"), "precious");
    fs::create_directory_symlink(dir.Path() / "victim", dir.Path() / "site.gpkg.deadbeef.tmp");
    fs::create_directory(dir.Path() / "other.gpkg.12345678.tmp");
    ExportSite(site.list, site.blocks, kZoneNine, dir.File("site.gpkg"));
    EXPECT_FALSE(fs::exists(dir.Path() / "site.gpkg.0badf00d.tmp"));
    EXPECT_EQ(test::ReadBytes(dir.File("victim/precious")), "precious");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "site.gpkg.deadbeef.tmp"));
    EXPECT_TRUE(fs::exists(dir.Path() / "other.gpkg.12345678.tmp"));
}

// An export killed at random moments in a child: the target is always the complete old or the complete
// new file, and the next export leaves nothing of the killed one.
TEST(GisExportSafety, KilledExportsLeaveOldOrNewAndNoStaging) {
    test::TempDir dir;
    test::TempDir reference;
    const Site oldSite(4000, "OLD");
    const Site newSite(4000, "NEW");
    const fs::path target = dir.Path() / "site.geojson";
    ExportSite(newSite.list, newSite.blocks, kZoneNine, reference.Path() / "site.geojson");
    const std::string newBytes = test::ReadBytes(reference.File("site.geojson"));
    ExportSite(oldSite.list, oldSite.blocks, kZoneNine, target);
    const std::string oldBytes = test::ReadBytes(target.string());
    std::mt19937 random(29);
    for (int round = 0; round < 10; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                ExportSite(newSite.list, newSite.blocks, kZoneNine, target);
                ExportSite(oldSite.list, oldSite.blocks, kZoneNine, target);
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(5000, 150000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = test::ReadBytes(target.string());
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "round " << round << ": " << now.size() << " bytes";
        ExportSite(oldSite.list, oldSite.blocks, kZoneNine, target);
        EXPECT_EQ(Contents(dir.Path()).size(), 1u) << "round " << round << ": staging left";
    }
}

} // namespace
} // namespace vemo::gis
