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

// vemo-cli zub: the records of a field book as stored, its hand-corrected line marked, and the
// traverse table of its transfer, which vemo-cli traverse then computes from each setup's station.
TEST(CliReports, FieldBookListingAndItsTraverse) {
    test::TempDir dir;
    const std::string book = test::DataFile("zub/corrected.ZUB");
    CliRun list = RunCli("zub " + book);
    EXPECT_EQ(list.status, 0) << "wrong check characters are marked, not failed";
    EXPECT_NE(list.out.find("\n2 [B] [境界 確認] [GTS] [12345] [山田 太郎] [26/12/09]  check 'U' ok\n"),
              std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("\n9 [G] [T9] [-12345.678] [34567.890] [] [CODE1]  check '_' ok\n"), std::string::npos);
    EXPECT_NE(list.out.find("[0]  check '>' WRONG, should be '<'\n13 [Z]  check '&' ok\n"), std::string::npos);

    XyzList points;
    points.ReplaceAll({XyzRow{"", "T1", "-12345.678", "34567.890", "", "", ""},
                       XyzRow{"", "T0", "-12245.678", "34567.890", "", "", ""}});
    WriteXyzFile(dir.File("site.Xyz"), points);
    const std::string trv = dir.File("book.Trv");
    EXPECT_EQ(RunCli("zub " + book + " --trv " + trv + " --xyz " + dir.File("site.Xyz")).status, 0);
    CliRun traverse = RunCli("traverse --utf8 --xyz " + dir.File("site.Xyz") + " " + trv);
    EXPECT_EQ(traverse.status, 0) << traverse.out;
    // T2 100 m east of T1, T3 100 m north of T2 (worked out in the core transfer test).
    const auto lineOf = [&](const std::string& name) {
        const size_t at = traverse.out.find(" " + name + " ");
        return at == std::string::npos ? std::string() : traverse.out.substr(at, traverse.out.find('\n', at) - at);
    };
    EXPECT_NE(lineOf("T2").find("-12345.678"), std::string::npos) << traverse.out;
    EXPECT_NE(lineOf("T2").find("34667.890"), std::string::npos) << traverse.out;
    EXPECT_NE(lineOf("T3").find("-12245.678"), std::string::npos) << traverse.out;
    EXPECT_NE(lineOf("T3").find("34667.890"), std::string::npos) << traverse.out;

    EXPECT_EQ(RunCli("zub " + dir.File("none.ZUB")).status, 1);
    EXPECT_EQ(RunCli("zub").status, 2);
}

} // namespace
} // namespace vemo
