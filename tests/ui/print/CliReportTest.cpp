// vemo-cli areas and print-list run as a script would run them: exit codes, the area list lines and
// the PDF they write.
#include "core/files/BlkFile.h"
#include "core/files/XyzFile.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace vemo {
namespace {

using test::ShellRun;

// `errors`: the file that takes stderr (none: it is dropped).
ShellRun RunCli(const std::string& arguments, const std::string& errors = "/dev/null") {
    return test::RunShell(std::string(VEMO_CLI_PATH) + " " + arguments + " 2>" + errors);
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
    ShellRun areas = RunCli("areas --utf8 " + files);
    EXPECT_EQ(areas.status, 0);
    EXPECT_EQ(areas.out, "一番\n面積      99.9990000\n地積      99.99 ㎡\n坪数      30.24 坪\n\n"
                         "合計\n面積      99.9990000\n地積      99.99 ㎡\n坪数      30.24 坪\n");
    // The default output is the CP932 of the files, CR LF.
    EXPECT_EQ(RunCli("areas " + files).out.substr(0, 6), Jp("一番") + "\r\n");

    ShellRun pages = RunCli("print-list " + dir.File("site.Xyz") + " --pdf " + dir.File("l.pdf"));
    EXPECT_EQ(pages.status, 0);
    EXPECT_EQ(pages.out, "1 pages written to " + dir.File("l.pdf") + "\n");

    // A batch run without a runtime folder (cron, su) hears only the program's own messages.
    ShellRun bare = test::RunShell("env -u XDG_RUNTIME_DIR " + std::string(VEMO_CLI_PATH) + " print-list " +
                                   dir.File("site.Xyz") + " --pdf " + dir.File("m.pdf") + " 2>&1");
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(bare.out, "1 pages written to " + dir.File("m.pdf") + "\n");

    EXPECT_EQ(RunCli("areas " + dir.File("site.Xyz")).status, 2);            // parcel file missing
    EXPECT_EQ(RunCli("print-list " + dir.File("site.Xyz")).status, 2);       // no --pdf
    EXPECT_EQ(RunCli("areas " + dir.File("none.Xyz") + " x.Blk").status, 1); // unreadable input
}

// The words of a text in order, the ideographic space counting as a blank.
std::vector<std::string> Words(std::string text) {
    for (size_t at; (at = text.find("　")) != std::string::npos;) {
        text.replace(at, std::string("　").size(), " ");
    }
    std::istringstream split(text);
    return {std::istream_iterator<std::string>(split), {}};
}

// A parcel at public plane coordinates whose vertex GONE was deleted after registration: the report
// says so in whole lines, stderr names the point, the exit status tells a script, and the PDF carries
// the heading above the same lines.
TEST(CliReports, AreaReportAtPublicCoordinatesWithAMissingVertex) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("yamada"));
    XyzList list;
    list.ReplaceAll({XyzRow{"", "A", "-145123.456", "98765.432", "", "", ""},
                     XyzRow{"", "B", "-145100.456", "98765.432", "", "", ""},
                     XyzRow{"", "C", "-145100.456", "98795.432", "", "", ""},
                     XyzRow{"", "D", "-145123.456", "98795.432", "", "", ""}});
    WriteXyzFile(dir.File("yamada/site.Xyz"), list);
    BlockList blocks;
    blocks.Add(Block{"LOT1", "A,B,GONE,C,D,A,", 7, 0, 0});
    WriteBlkFile(dir.File("yamada/site.Blk"), blocks);
    std::string files = dir.File("yamada/site.Xyz") + " " + dir.File("yamada/site.Blk");

    const std::string kIndent(8, ' ');
    const std::string kRule = kIndent + std::string(84, '-');
    const std::string kFigures = kIndent + std::string(54, ' ');
    const std::vector<std::string> expected = {
        "",
        "　　　座標面積計算書",
        "",
        kIndent + "LOT1",
        kRule,
        "            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長",
        kRule,
        kIndent + " B            -145100.456   98765.432   23.000  197530.864   4543209.872000  23.000",
        kIndent + " GONE          ** 座標リストにない点 **" + std::string(28, ' ') + "0.000000   0.000",
        kIndent + " C            -145100.456   98795.432    0.000  197560.864         0.000000  30.000",
        kIndent + " D            -145123.456   98795.432  -23.000  197590.864  -4544589.872000  23.000",
        kIndent + " A            -145123.456   98765.432    0.000  197560.864         0.000000  30.000",
        kRule,
        kFigures + "倍面積   -1380.0000000",
        kFigures + "面　積     690.0000000",
        kFigures + "地　積     690.00 ㎡",
        kFigures + "坪　数     208.72 坪",
        kIndent + "※ 座標リストにない点: GONE（前の点の座標で計算）",
        kRule,
        "",
        kRule,
        kFigures + "合　計",
        kFigures + "面　積     690.0000000",
        kFigures + "地　積     690.00 ㎡",
        kFigures + "坪　数     208.72 坪",
        kRule,
    };
    std::string text;
    for (const std::string& line : expected) {
        text += line + "\n";
    }
    ShellRun report = RunCli("areas --report --utf8 --pdf " + dir.File("r.pdf") + " " + files, dir.File("err.txt"));
    EXPECT_EQ(report.status, 3);
    EXPECT_EQ(report.out, text);
    EXPECT_TRUE(test::ReadBytes(dir.File("err.txt"))
                    .starts_with("vemo-cli areas: 画地「LOT1」: 座標リストにない点: GONE（前の点の座標で計算）\n"));
    EXPECT_EQ(RunCli("areas " + files).status, 3); // the area list too

    std::string pdfText = dir.File("r.txt");
    ASSERT_EQ(std::system(("pdftotext -layout " + dir.File("r.pdf") + " " + pdfText).c_str()), 0);
    std::istringstream lines(test::ReadBytes(pdfText));
    std::string heading;
    std::getline(lines, heading);
    std::vector<std::string> head = Words(heading); // site, data, date, sheet of sheets
    ASSERT_EQ(head.size(), 8u) << heading;
    EXPECT_EQ(std::vector<std::string>(head.begin(), head.begin() + 4),
              (std::vector<std::string>{"現場:", "yamada", "データ:", "site"}));
    EXPECT_TRUE(head[4].ends_with("日")) << heading;
    EXPECT_EQ(std::vector<std::string>(head.begin() + 5, head.end()), (std::vector<std::string>{"1", "/", "1"}));
    std::string rest((std::istreambuf_iterator<char>(lines)), {});
    EXPECT_EQ(Words(rest), Words(text)); // pdftotext places words by position: compare the words in order
}

// The registry map's terms of use: the source named wherever its points are used.  Converting records it
// in the data set's profile, and the area report, the printed list and the 地積測量図 made from those points
// print it on every sheet; a profile the surveyor filled in keeps its lines when the map is taken again.
TEST(CliReports, ARegistryMapsSourceGoesIntoTheDataSetAndOntoEveryReport) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.File("site"));
    const std::string xyz = dir.File("site/map.Xyz");
    const std::string profile = dir.File("site/map/Xyz.Pro");
    const std::string source = "出典：「登記所備付地図データ 熊毛郡屋久島町」（法務省）46505-3411-1.xml を加工して作成";
    ShellRun convert = RunCli("convert " + test::DataFile("registrymap/46505-3411-1.zip") + " " + xyz);
    ASSERT_EQ(convert.status, 0);
    EXPECT_NE(convert.out.find("source recorded in " + profile), std::string::npos) << convert.out;
    EXPECT_EQ(
        test::ReadBytes(profile),
        Jp("項目１\t｜map\r\n項目２\t｜\r\n項目３\t｜\r\n出典\t｜「登記所備付地図データ 熊毛郡屋久島町」（法務省）"
           "46505-3411-1.xml を加工して作成\r\n"));

    // Each report, read back: as many source lines as sheets.
    auto sheetsAndSources = [&](const std::string& pdf) {
        const std::string text = dir.File("out.txt");
        EXPECT_EQ(std::system(("pdftotext " + pdf + " " + text).c_str()), 0);
        const std::string read = test::ReadBytes(text);
        int sources = 0;
        for (std::size_t at = read.find(source); at != std::string::npos; at = read.find(source, at + 1)) {
            ++sources;
        }
        int sheets = 0;
        for (std::size_t at = read.find('\f'); at != std::string::npos; at = read.find('\f', at + 1)) {
            ++sheets;
        }
        return std::pair{sheets, sources};
    };
    const std::string blk = dir.File("site/map.Blk");
    ASSERT_EQ(RunCli("areas --report --pdf " + dir.File("a.pdf") + " " + xyz + " " + blk).status, 0);
    const auto [reportSheets, reportSources] = sheetsAndSources(dir.File("a.pdf"));
    EXPECT_GT(reportSheets, 1);
    EXPECT_EQ(reportSources, reportSheets);
    ASSERT_EQ(RunCli("print-list " + xyz + " --pdf " + dir.File("l.pdf")).status, 0);
    const auto [listSheets, listSources] = sheetsAndSources(dir.File("l.pdf"));
    EXPECT_EQ(listSources, listSheets);
    RunCli("survey-map " + xyz + " " + blk + " --parcel 2740-2 --paper B4L --pdf " + dir.File("m.pdf"));
    EXPECT_EQ(sheetsAndSources(dir.File("m.pdf")), std::pair(1, 1));

    // The surveyor's own entries stay; the source line is the map's.
    test::WriteBytes(profile, Jp("項目１\t｜map\r\n項目２\t｜山田\r\n出典\t｜古い\r\n"));
    ASSERT_EQ(RunCli("convert " + test::DataFile("registrymap/46505-3411-1.zip") + " " + xyz).status, 0);
    EXPECT_EQ(test::ReadBytes(profile),
              Jp("項目１\t｜map\r\n項目２\t｜山田\r\n出典\t｜「登記所備付地図データ 熊毛郡屋久島町」（法務省）"
                 "46505-3411-1.xml を加工して作成\r\n"));
}

// vemo-cli zub: the records of a field book as stored, its hand-corrected line marked, and the
// traverse table of its transfer, which vemo-cli traverse then computes from each setup's station.
TEST(CliReports, FieldBookListingAndItsTraverse) {
    test::TempDir dir;
    const std::string book = test::DataFile("zub/corrected.ZUB");
    ShellRun list = RunCli("zub " + book);
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
    ShellRun traverse = RunCli("traverse --utf8 --xyz " + dir.File("site.Xyz") + " " + trv);
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
