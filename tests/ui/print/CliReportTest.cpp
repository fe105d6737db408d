// vemo-cli areas and print-list run as a script would run them: exit codes, the area list lines and
// the PDF they write.
#include "core/files/BlkFile.h"
#include "core/files/XyzFile.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vemo {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun RunCli(const std::string& arguments) {
    CliRun run;
    std::string command = std::string(VEMO_CLI_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, n);
    }
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(CliReports, AreasAndPrintList) {
    test::TempDir dir;
    XyzList list;
    list.ReplaceAll({XyzRow{"", "A", "0.000", "0.000", "", "", ""}, XyzRow{"", "B", "33.333", "0.000", "", "", ""},
                     XyzRow{"", "C", "33.333", "3.000", "", "", ""}, XyzRow{"", "D", "0.000", "3.000", "", "", ""}});
    WriteXyzFile(dir.File("site.Xyz"), list);
    BlockList blocks;
    blocks.Add(Block{Jp("一番"), "A,B,C,D,A,", 6, 0, 0});
    WriteBlkFile(dir.File("site.Blk"), blocks);
    std::string files = dir.File("site.Xyz") + " " + dir.File("site.Blk");

    // 33.333 × 3 = 99.999: truncated to 99.99, 30.24 坪.
    CliRun areas = RunCli("areas --utf8 " + files);
    EXPECT_EQ(areas.status, 0);
    EXPECT_EQ(areas.out, "一番\n面積      99.9990000\n地積      99.99 ㎡\n坪数      30.24 坪\n\n"
                         "合計\n面積      99.9990000\n地積      99.99 ㎡\n坪数      30.24 坪\n");
    // The default output is the CP932 of the files, CR LF.
    EXPECT_EQ(RunCli("areas " + files).out.substr(0, 6), Jp("一番") + "\r\n");

    CliRun report = RunCli("areas --report --utf8 --pdf " + dir.File("r.pdf") + " " + files);
    EXPECT_EQ(report.status, 0);
    EXPECT_NE(report.out.find("座標面積計算書"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(dir.File("r.pdf")).substr(0, 5), "%PDF-");

    CliRun pages = RunCli("print-list " + dir.File("site.Xyz") + " --pdf " + dir.File("l.pdf"));
    EXPECT_EQ(pages.status, 0);
    EXPECT_EQ(pages.out, "1 pages written to " + dir.File("l.pdf") + "\n");

    EXPECT_EQ(RunCli("areas " + dir.File("site.Xyz")).status, 2);            // parcel file missing
    EXPECT_EQ(RunCli("print-list " + dir.File("site.Xyz")).status, 2);       // no --pdf
    EXPECT_EQ(RunCli("areas " + dir.File("none.Xyz") + " x.Blk").status, 1); // unreadable input
}

} // namespace
} // namespace vemo
