// vemo-cli traverse judged by a class, run as a script would run it: the judgement after the listing,
// the failure and the located blunder on standard error, and the exit status a script can test.
#include "core/text/Cp932.h"
#include "core/zub/ZubChecksum.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace vemo {
namespace {

using test::ShellRun;

ShellRun RunCli(const std::string& arguments, const std::string& errors) {
    return test::RunShell(std::string(VEMO_CLI_PATH) + " " + arguments + " 2>" + errors);
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A closed traverse round a rectangle 300 m east and 200 m north, stations T0 … T9 every 100 m from
// (-35000, 12000), the backsight at T0 being T9 due north.  Its four corners turn 90°, the other
// stations 180°; T3's 90° was typed 90°10′.  The 10′ turns the route from T3 (300 m from T0) by
// 0.0029089 rad, 873 mm at T0 before the adjustment.  Spread over the ten angles (-60″ each) it leaves
// 0.0029089 × |(100, -150)| = 524 mm (524.2 turning each leg exactly; the legs' latitudes and
// departures to the millimetre may take one off); the unit polygon limit of 4級 is
// 50 × √10 × 1.0 = 158 mm.
std::string RectangleTrv() {
    std::string t = "0\r\n26/12/10\r\n" + Jp("矩形") +
                    "\r\nT0,-35000.000,12000.000,0.000\r\nT9,1,0.0000\r\n"
                    ",0.000,0.000,0.000\r\n,0,0.0000\r\n";
    const char* angles[10] = {"90.0000", "180.0000", "180.0000", "90.1000", "180.0000",
                              "90.0000", "180.0000", "180.0000", "90.0000", "180.0000"};
    for (int k = 0; k < 10; ++k) {
        t += std::to_string(k + 1) + ",T,,,T" + std::to_string((k + 1) % 10) + "," + angles[k] + ",90.0000,100.000\r\n";
    }
    return t;
}

TEST(CliTraverseClass, JudgesLocatesAndExits) {
    test::TempDir dir;
    const std::string trv = dir.File("rect.Trv");
    test::WriteBytes(trv, RectangleTrv());
    const std::string errors = dir.File("err.txt");

    ShellRun fourth = RunCli("traverse --utf8 --class 4 " + trv, errors);
    EXPECT_EQ(fourth.status, 4);
    EXPECT_TRUE(Has(fourth.out, "精度の判定  4級基準点測量\n")) << fourth.out;
    EXPECT_TRUE(Has(fourth.out, "辺数 N   10   測角数 n   10   路線長 ΣS     1.000 km\n")) << fourth.out;
    EXPECT_TRUE(Has(fourth.out, "524 mm   制限           158 mm   不適\n") ||
                Has(fourth.out, "523 mm   制限           158 mm   不適\n"))
        << fourth.out;
    EXPECT_TRUE(Has(fourth.out, "判定  不適\n")) << fourth.out;
    std::string stderrText = test::ReadBytes(errors);
    EXPECT_TRUE(Has(stderrText, "4級基準点測量 の制限を満たしていません: 位置の閉合差 524 mm（制限 158 mm）") ||
                Has(stderrText, "4級基準点測量 の制限を満たしていません: 位置の閉合差 523 mm（制限 158 mm）"))
        << stderrText;
    EXPECT_TRUE(Has(stderrText, "測点 T3 の夾角に約 +10′ の誤りがある可能性があります")) << stderrText;

    // 甲二 tolerates 200 mm; an office rule of 60″√n allows 190″ of the 600″.
    EXPECT_EQ(RunCli("traverse --class 甲二 " + trv, errors).status, 4);
    EXPECT_EQ(RunCli("traverse --class user:1000:60 " + trv, errors).status, 4);
    EXPECT_EQ(RunCli("traverse --class user:1000:200 " + trv, errors).status, 0);

    // Without a class the 600″ of misclosure is beyond 5′: a warning and the blunder, the listing as
    // before and exit 0.
    ShellRun plain = RunCli("traverse --utf8 " + trv, errors);
    EXPECT_EQ(plain.status, 0);
    EXPECT_FALSE(Has(plain.out, "精度の判定"));
    stderrText = test::ReadBytes(errors);
    EXPECT_TRUE(Has(stderrText, "誤差が大きすぎます")) << stderrText;
    EXPECT_TRUE(Has(stderrText, "測点 T3 の夾角")) << stderrText;

    // The class kept beside the file is the default.
    test::WriteBytes(dir.File("rect.Class.ini"), "[Precision]\r\nClass=4\r\n");
    EXPECT_EQ(RunCli("traverse " + trv, errors).status, 4);
    EXPECT_EQ(RunCli("traverse --class none " + trv, errors).status, 0);

    ShellRun wrong = RunCli("traverse --class 5 " + trv, errors);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(Has(test::ReadBytes(errors), "精度の級が正しくありません: 5"));
}

// A field book line with its check character.
std::string ZubLine(const std::string& body) {
    return body + ZubChecksum(body) + ",\r\n";
}

// Two stations of two sets: A keeps within 3級's limits, C's 倍角差 is 50″ (limit 30″), its 観測差 30″
// (20″) and its distances spread 28 mm between sets (20 mm).
std::string TwoSetBook() {
    std::string book = ZubLine("A,01,") + ZubLine("D,A,,1.450,0,2200002,,,");
    for (const char* f :
         {"B,,1.5,r1001,0.0010,88.3020,52.345,52.346,,,0,", "C,,1.5,r1002,75.2040,91.1000,60.120,,,,0,",
          "C,,1.5,l1002,255.2050,268.5020,60.121,,,,0,", "B,,1.5,l1001,180.0010,271.2950,52.346,,,,0,",
          "B,,1.5,r2001,90.0020,88.3025,52.347,,,,0,", "C,,1.5,r2002,165.2045,91.1005,60.119,,,,0,",
          "C,,1.5,l2002,345.2055,268.5010,60.120,,,,0,", "B,,1.5,l2001,270.0015,271.2940,52.346,,,,0,"}) {
        book += ZubLine(std::string("F,") + f);
    }
    book += ZubLine("D,C,,1.400,0,2200002,,,");
    for (const char* f :
         {"A,,1.5,r1001,0.0000,89.0000,,,,,0,", "D,,1.5,r1002,120.1030,92.0000,80.012,80.013,,,0,",
          "D,,1.5,l1002,300.1050,268.0030,80.014,80.015,,,0,", "A,,1.5,l1001,180.0010,271.0010,,,,,0,",
          "A,,1.5,r2001,90.0010,89.0005,,,,,0,", "D,,1.5,r2002,210.1120,92.0005,80.040,80.041,,,0,",
          "D,,1.5,l2002,30.1100,268.0025,80.040,80.041,,,0,", "A,,1.5,l2001,270.0010,271.0005,,,,,0,"}) {
        book += ZubLine(std::string("F,") + f);
    }
    return book + ZubLine("Z,");
}

std::vector<std::string> PdfWords(const std::string& pdf, const std::string& txt) {
    EXPECT_EQ(std::system(("pdftotext -layout -enc UTF-8 " + pdf + " " + txt).c_str()), 0);
    std::string text = test::ReadBytes(txt);
    for (size_t at; (at = text.find("　")) != std::string::npos;) {
        text.replace(at, std::string("　").size(), " ");
    }
    std::istringstream split(text);
    return {std::istream_iterator<std::string>(split), {}};
}

bool HasRun(const std::vector<std::string>& words, const std::vector<std::string>& run) {
    return std::search(words.begin(), words.end(), run.begin(), run.end()) != words.end();
}

TEST(CliTraverseClass, PrecisionSheetReadBackFromItsPdf) {
    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    test::TempDir dir;
    const std::string trv = dir.File("rect.Trv");
    test::WriteBytes(trv, RectangleTrv());
    test::WriteBytes(dir.File("rect.Class.ini"), Jp("[Precision]\r\nClass=3\r\n[Sheet]\r\nWork=矩形の基準点測量\r\n"
                                                    "Area=北区\r\nChief=主任 一郎\r\nInstruments=TS 2級 No.12345\r\n"));
    test::WriteBytes(dir.File("book.ZUB"), Jp(TwoSetBook()));
    const std::string errors = dir.File("err.txt");

    // The book alone: C fails 3級, exit 4 and the station named on stderr.
    ShellRun book = RunCli("zub --class 3 " + dir.File("book.ZUB"), errors);
    EXPECT_EQ(book.status, 4);
    EXPECT_TRUE(Has(book.out, "観測の制限を超えた測点: C")) << book.out;
    EXPECT_TRUE(Has(test::ReadBytes(errors), "測点 C の倍角差 50″ が制限 30″ を超えています"))
        << test::ReadBytes(errors);
    EXPECT_EQ(RunCli("zub --class 4 " + dir.File("book.ZUB"), errors).status, 4); // the distances
    EXPECT_EQ(RunCli("zub --class 甲二 " + dir.File("book.ZUB"), errors).status, 2);

    ShellRun sheet =
        RunCli("traverse --sheet " + dir.File("s.pdf") + " --zub " + dir.File("book.ZUB") + " " + trv, errors);
    EXPECT_EQ(sheet.status, 4);
    const std::vector<std::string> words = PdfWords(dir.File("s.pdf"), dir.File("s.txt"));
    EXPECT_TRUE(HasRun(words, {"精", "度", "管", "理", "表"}));
    EXPECT_TRUE(HasRun(words, {"作業名", ":", "矩形の基準点測量"}));
    EXPECT_TRUE(HasRun(words, {"主任技術者", ":", "主任", "一郎"}));
    EXPECT_TRUE(HasRun(words, {"使用機器", ":", "TS", "2級", "No.12345"}));
    EXPECT_TRUE(HasRun(words, {"精度の級", ":", "3級基準点測量"}));
    EXPECT_TRUE(HasRun(words, {"路線", "1", "T0", "-", "T0"}));
    // 3級 unit polygon: 25 × √10 × 1.0 = 79 mm.
    EXPECT_TRUE(HasRun(words, {"制限", "79", "mm", "不適"}));
    EXPECT_TRUE(HasRun(words, {"観測の制限を超えた測点:", "C"}));

    // As 甲二 the legs are checked against 0.04 + 0.01 √S: 0.140 m at 100 m.
    ShellRun cadastral = RunCli("traverse --class 甲二 --sheet " + dir.File("k.pdf") + " " + trv, errors);
    EXPECT_EQ(cadastral.status, 4);
    const std::vector<std::string> legs = PdfWords(dir.File("k.pdf"), dir.File("k.txt"));
    EXPECT_TRUE(HasRun(legs, {"3.", "点間距離の点検（精度区分", "甲二）"}));
    EXPECT_TRUE(HasRun(legs, {"T0", "-", "T1"}));
    EXPECT_TRUE(HasRun(legs, {"0.140", "適"}));
}

} // namespace
} // namespace vemo
