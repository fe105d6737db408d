// vemo-cli when its output cannot be written: a PDF on a full disk or over a read-only file, standard
// output on a full device.  The exit status is 1, the message on stderr names the file and the reason,
// the earlier PDF stays byte for byte and nothing temporary is left.
#include "core/files/BlkFile.h"
#include "core/files/XyzFile.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "support/FullDisk.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace vemo {
namespace {
using ::testing::HasSubstr;

// What the command wrote to stderr comes back as `out`; stdout goes where the command line sends it.
test::ShellRun RunCli(const std::string& prefix, const std::string& arguments, const std::string& stdoutTo) {
    return test::RunShell(prefix + std::string(VEMO_CLI_PATH) + " " + arguments + " 2>&1 >" + stdoutTo);
}

// `count` points on a grid and one parcel per row of four: a coordinate list of many pages, and an area
// report of many parcels.
void WriteSite(const std::string& xyz, const std::string& blk, int count) {
    std::vector<XyzRow> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back({"", "P" + std::to_string(i), std::to_string(-12000.250 + i / 4), std::to_string(3400.5 + i % 4),
                        "", Jp("杭"), ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    WriteXyzFile(xyz, list);
    BlockList blocks;
    for (int i = 0; i + 3 < count; i += 8) {
        const std::string p = "P" + std::to_string(i);
        blocks.Add(Block{Jp("画地") + std::to_string(i),
                         p + ",P" + std::to_string(i + 1) + ",P" + std::to_string(i + 5) + ",P" +
                             std::to_string(i + 4) + "," + p,
                         5, 0, 0});
    }
    WriteBlkFile(blk, blocks);
}

TEST(CliOutputFaults, PdfOnAFullDiskKeepsTheEarlierPdf) {
    test::TempDir input;
    WriteSite(input.File("site.Xyz"), input.File("site.Blk"), 3000);
    const std::string files = input.File("site.Xyz") + " " + input.File("site.Blk");
    const struct {
        const char* name;
        std::string arguments;
    } commands[] = {
        {"areas", "areas --report --pdf "},
        {"print-list", "print-list " + input.File("site.Xyz") + " --pdf "},
    };
    for (const auto& c : commands) {
        test::FullDisk disk(64 * 1024);
        const std::string pdf = disk.File("out.pdf");
        test::WriteBytes(pdf, "%PDF-1.4 the earlier report");
        const std::string arguments =
            c.arguments + pdf + (std::string(c.name) == "areas" ? " " + files : std::string());
        const test::ShellRun run = RunCli(disk.CommandPrefix(), arguments, "/dev/null");
        EXPECT_EQ(run.status, 1) << c.name << ": " << run.out;
        EXPECT_THAT(run.out, HasSubstr(pdf + "」に書き込めません（ディスクの空き容量が足りません）")) << c.name;
        EXPECT_EQ(test::ReadBytes(pdf), "%PDF-1.4 the earlier report") << c.name;
        EXPECT_EQ(disk.Names(), std::vector<std::string>{"out.pdf"}) << c.name << ": a temporary file was left";
    }
}

// A survey map drawing on a disk that fills up while it is written.  GDAL's DXF writer wrote its EOF
// record all the same (a drawing without entities, or with a third of them), and with little more room
// than its own header it crashed about every other time (10 KiB free for a 27 KiB drawing), leaving
// its temporary file.  For every room short of the drawing, in steps of half a KiB, the command must
// fail with the full disk named, the earlier drawing kept and nothing left.
TEST(CliOutputFaults, SurveyMapDxfOnANearlyFullDiskKeepsTheEarlierDrawing) {
    test::TempDir input;
    WriteSite(input.File("site.Xyz"), input.File("site.Blk"), 40);
    const std::string arguments = "survey-map " + input.File("site.Xyz") + " " + input.File("site.Blk") + " --parcel " +
                                  Jp("画地0") + " --adjacent " + Jp("画地8") + " --zone 9 --dxf ";
    // With room the drawing is written (exit 3: the title items this site lacks are listed); its size
    // tells how little room leaves it short.
    test::TempDir room;
    const test::ShellRun written = RunCli("", arguments + room.File("map.dxf"), "/dev/null");
    EXPECT_EQ(written.status, 3) << written.out;
    const unsigned long size = test::ReadBytes(room.File("map.dxf")).size();
    ASSERT_GT(size, 24ul * 1024) << "a drawing too small to fill the disk part way";
    for (unsigned long freeBytes = 512; freeBytes < size; freeBytes += 512) {
        test::FullDisk disk(freeBytes);
        const std::string dxf = disk.File("map.dxf");
        test::WriteBytes(dxf, "0\nSECTION\nthe earlier drawing\n0\nEOF\n");
        const test::ShellRun result = RunCli(disk.CommandPrefix(), arguments + dxf, "/dev/null");
        EXPECT_EQ(result.status, 1) << freeBytes << ": " << result.out;
        EXPECT_THAT(result.out, HasSubstr("map.dxf」に書き込めません（ディスクの空き容量が足りません）")) << freeBytes;
        EXPECT_EQ(test::ReadBytes(dxf), "0\nSECTION\nthe earlier drawing\n0\nEOF\n") << freeBytes;
        EXPECT_EQ(disk.Names(), std::vector<std::string>{"map.dxf"}) << freeBytes << ": a temporary file was left";
    }
}

TEST(CliOutputFaults, ReadOnlyPdfIsRefused) {
    test::TempDir dir;
    WriteSite(dir.File("site.Xyz"), dir.File("site.Blk"), 20);
    const std::string files = dir.File("site.Xyz") + " " + dir.File("site.Blk");
    const std::string locked = dir.File("locked.pdf");
    test::WriteBytes(locked, "signed");
    ::chmod(locked.c_str(), 0444);
    const test::ShellRun refused = RunCli("", "print-list " + dir.File("site.Xyz") + " --pdf " + locked, "/dev/null");
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.out, HasSubstr("locked.pdf」に書き込めません（読み取り専用のファイルです）"));
    EXPECT_EQ(test::ReadBytes(locked), "signed");
}

TEST(CliOutputFaults, AFullStandardOutputFails) {
    test::TempDir dir;
    WriteSite(dir.File("site.Xyz"), dir.File("site.Blk"), 20);
    const std::string files = dir.File("site.Xyz") + " " + dir.File("site.Blk");
    for (const std::string& arguments :
         {"areas " + files, "areas --report " + files, "traverse " + test::DataFile("traverse/square.Trv"),
          "print-list " + dir.File("site.Xyz") + " --pdf " + dir.File("l.pdf")}) {
        const test::ShellRun full = RunCli("", arguments, "/dev/full");
        EXPECT_EQ(full.status, 1) << arguments;
        // The reason is known only when the last write failed, not when an earlier one did.
        EXPECT_THAT(full.out, HasSubstr("標準出力に書き込めません（")) << arguments;
    }
}

} // namespace
} // namespace vemo
