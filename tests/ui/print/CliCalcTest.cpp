// vemo-cli inverse, divide and transform run as a script would run them, over a 30 m × 40 m lot in
// plane coordinates: every figure below is worked out by hand from the lot's sides (areas 300, 450,
// 900, 750 and 1200 m², tsubo × 0.3025 truncated; the quarter turn gives X0 = -35100 + 12000 and
// Y0 = 12100 + 35000).  The included angle is counted from the back-sight, so every corner of the
// rectangle walked clockwise shows 270-00-00.
#include "core/calc/Calculation.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vemo {
namespace {

using test::ShellRun;

ShellRun RunCli(const std::string& arguments) {
    return test::RunShell(std::string(VEMO_CLI_PATH) + " " + arguments + " 2>&1");
}

// A (south-west corner), B 30 m north, C 40 m east of B, D 40 m east of A; N1, N2 the new positions
// of A and B after a quarter turn clockwise; U1..U8 a U-shaped lot 30 m across with 10 m arms; F1..F4
// a 20 m square 300 km south-west of the origin and a point with a long name, listed first so that new
// points are proposed after the list's last point, U8.
struct CliSite : testing::Test {
    CliSite() {
        XyzList list;
        list.ReplaceAll(
            {XyzRow{"", "F1", "-300000.000", "-300000.000", "", "", ""},
             XyzRow{"", "F2", "-299980.000", "-300000.000", "", "", ""},
             XyzRow{"", "F3", "-299980.000", "-299980.000", "", "", ""},
             XyzRow{"", "F4", "-300000.000", "-299980.000", "", "", ""},
             XyzRow{"", "LONGPOINTNAMEXY", "-299000.000", "-299000.000", "", "", ""},
             XyzRow{"", "A", "-35000.000", "12000.000", "", "", ""},
             XyzRow{"", "B", "-34970.000", "12000.000", "", "", ""},
             XyzRow{"", "C", "-34970.000", "12040.000", "", "", ""},
             XyzRow{"", "D", "-35000.000", "12040.000", "", "", ""},
             XyzRow{"", "N1", "-35100.000", "12100.000", "", "", ""},
             XyzRow{"", "N2", "-35100.000", "12130.000", "", "", ""}, XyzRow{"", "U1", "0.000", "0.000", "", "", ""},
             XyzRow{"", "U2", "30.000", "0.000", "", "", ""}, XyzRow{"", "U3", "30.000", "20.000", "", "", ""},
             XyzRow{"", "U4", "20.000", "20.000", "", "", ""}, XyzRow{"", "U5", "20.000", "10.000", "", "", ""},
             XyzRow{"", "U6", "10.000", "10.000", "", "", ""}, XyzRow{"", "U7", "10.000", "20.000", "", "", ""},
             XyzRow{"", "U8", "0.000", "20.000", "", "", ""}});
        WriteXyzFile(dir.File("site.Xyz"), list);
        xyz = dir.File("site.Xyz");
    }
    test::TempDir dir;
    std::string xyz;
};

// The rectangle A B C D (30 m north, 40 m east) round from A: its sides, directions, angles and area.
constexpr const char* kRectangleInverse = "       点名        距離     方向角        夾角  \n"
                                          "   1  A                                         \n"
                                          "   2  B           30.000     0-00-00   270-00-00\n"
                                          "   3  C           40.000    90-00-00   270-00-00\n"
                                          "   4  D           30.000   180-00-00   270-00-00\n"
                                          "   5  A           40.000   270-00-00            \n"
                                          " 面積   1200.0000000 ㎡\n"
                                          " 坪数    363.0000    坪\n";
// From A: the triangle A, B, P1 with P1 30 m along B -> C holds 30 × 30 / 2 = 450 m².
constexpr const char* kQuarterFromA = "P1:  -34970.000   12030.000\n"
                                      "求積側: A,B,P1,A\n"
                                      "  面積 :    450.0000000 ㎡\n"
                                      "  地積 :    450.00 ㎡\n"
                                      "  坪数 :    136.12 坪\n"
                                      "  超過 :      0.0000000 ㎡\n"
                                      "残地側: A,P1,C,D,A\n"
                                      "  面積 :    750.0000000 ㎡\n"
                                      "  地積 :    750.00 ㎡\n"
                                      "  坪数 :    226.87 坪\n"
                                      "元地 :   1200.0000000 ㎡\n"
                                      "合計 :   1200.0000000 ㎡\n"
                                      "差   :      0.0000000 ㎡\n";

TEST_F(CliSite, InverseListsSidesDirectionsAnglesAndArea) {
    const ShellRun run = RunCli("inverse --utf8 " + xyz + " A B C D A");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kRectangleInverse);
    // Perpendiculars from C and D onto the base line A -> B (due north, 30 m): C lies 40 m east of B's
    // foot, D 40 m east of A.  Every figure stands under its own heading, the feet split as 基1- and -基2.
    const ShellRun perpendicular = RunCli("inverse --utf8 --perpendicular " + xyz + " A B C D");
    EXPECT_EQ(perpendicular.status, 0);
    EXPECT_EQ(perpendicular.out, "     点名             距離       基1-       -基2\n"
                                 "基1  A\n"
                                 "基2  B              30.000\n"
                                 "1    C              40.000     30.000      0.000\n"
                                 "2    D              40.000      0.000     30.000\n");
    // Far from the origin, with a long name: the columns widen and stay apart.
    const ShellRun far = RunCli("inverse --utf8 --perpendicular " + xyz + " F1 F3 F2 LONGPOINTNAMEXY");
    EXPECT_EQ(far.status, 0) << far.out;
    EXPECT_NE(far.out.find("LONGPOINTNAMEXY "), std::string::npos) << far.out;
    const ShellRun missing = RunCli("inverse --utf8 " + xyz + " A B X9");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "vemo-cli inverse: X9 は見つかりません\n");
    EXPECT_EQ(RunCli("inverse --utf8 " + xyz).status, 2);
}

TEST_F(CliSite, DivideByBothMethodsAndRefusals) {
    // Parallel to A -> B from A: the strip 10 m wide holds 30 × 10 = 300 m².
    const ShellRun parallel = RunCli("divide --utf8 " + xyz + " --ring A,B,C,D,A --area 300 --parallel A,B,0,A");
    EXPECT_EQ(parallel.status, 0);
    EXPECT_EQ(parallel.out, "P1:  -34970.000   12010.000\n"
                            "P2:  -35000.000   12010.000\n"
                            "求積側: A,B,P1,P2,A\n"
                            "  面積 :    300.0000000 ㎡\n"
                            "  地積 :    300.00 ㎡\n"
                            "  坪数 :     90.75 坪\n"
                            "  超過 :      0.0000000 ㎡\n"
                            "残地側: C,D,P2,P1,C\n"
                            "  面積 :    900.0000000 ㎡\n"
                            "  地積 :    900.00 ㎡\n"
                            "  坪数 :    272.25 坪\n"
                            "元地 :   1200.0000000 ㎡\n"
                            "合計 :   1200.0000000 ㎡\n"
                            "差   :      0.0000000 ㎡\n");
    // From A: the triangle A, B, P1 with P1 30 m along B -> C holds 30 × 30 / 2 = 450 m².
    const ShellRun fan = RunCli("divide --utf8 " + xyz + " --ring A,B,C,D,A --area 450 --from-first");
    EXPECT_EQ(fan.status, 0);
    EXPECT_EQ(fan.out, kQuarterFromA);
    // Far from the origin the coordinates fill their columns: a blank still stands between them.
    const ShellRun far = RunCli("divide --utf8 " + xyz + " --ring F1,F2,F3,F4 --area 100 --from-first");
    EXPECT_EQ(far.status, 0) << far.out;
    EXPECT_EQ(far.out.substr(0, far.out.find('\n')), "P1: -299980.000 -299990.000");
    // Half the square is the diagonal: the corner F3 is P1, named, and no new point.
    const ShellRun corner = RunCli("divide --utf8 " + xyz + " --ring F1,F2,F3,F4 --area 200 --from-first");
    EXPECT_EQ(corner.status, 0) << corner.out;
    EXPECT_EQ(corner.out.substr(0, corner.out.find('\n')), "P1: -299980.000 -299980.000 (既存点 F3)");
    EXPECT_NE(corner.out.find("求積側: F1,F2,F3,F1\n"), std::string::npos) << corner.out;
    // A bow-tie is refused for what it is, not for its area.
    const ShellRun bowTie = RunCli("divide --utf8 " + xyz + " --ring A,C,B,D --area 100 --from-first");
    EXPECT_EQ(bowTie.status, 1);
    EXPECT_EQ(bowTie.out, "vemo-cli divide: 分割元地の境界が交差しているため分割できません\n");
    const ShellRun tooMuch = RunCli("divide --utf8 " + xyz + " --ring A,B,C,D --area 1200 --from-first");
    EXPECT_EQ(tooMuch.status, 1);
    EXPECT_EQ(tooMuch.out, "vemo-cli divide: 分割面積が確保できません\n");
    // The U from its base: the line 15 m up would cut both arms.
    const ShellRun u =
        RunCli("divide --utf8 " + xyz + " --ring U1,U2,U3,U4,U5,U6,U7,U8 --area 400 --parallel U1,U2,0,U1");
    EXPECT_EQ(u.status, 1);
    EXPECT_EQ(u.out,
              "vemo-cli divide: 分割線が画地の境界と4か所以上で交わり、画地が3つ以上に分かれるため分割できません\n");
    EXPECT_EQ(RunCli("divide --utf8 " + xyz + " --ring A,B,C,D --area 300").status, 2);
}

TEST_F(CliSite, TransformTwoPointAndHelmert) {
    // A -> N1, B -> N2: a quarter turn clockwise; C (30, 40 from A) goes to N1 + (-40, 30).
    const ShellRun two = RunCli("transform --utf8 " + xyz + " --pairs A:N1,B:N2 C D");
    EXPECT_EQ(two.status, 0);
    EXPECT_EQ(two.out, "- 2点変換 -\n\n"
                       "平行移動距離              回転角\n\n"
                       "X0 =  -23100.000          θ =  90-00-00\n"
                       "Y0 =   47100.000\n\n"
                       "C                    -35140.000      12130.000\n"
                       "D                    -35140.000      12100.000\n");
    const ShellRun helmert = RunCli("transform --utf8 --helmert " + xyz + " --pairs A:N1,B:N2 C");
    EXPECT_EQ(helmert.status, 0);
    EXPECT_EQ(helmert.out, "- ヘルマート変換 -\n"
                           "標準偏差 0.0000000000    最大残差 0.000(№-)\n\n"
                           "変換係数\n"
                           "a =  0.0000000000     b = -1.0000000000\n"
                           "X0=    -23100.000     Y0=     47100.000\n\n"
                           "C                    -35140.000      12130.000\n");
    const ShellRun onePair = RunCli("transform --utf8 " + xyz + " --pairs A:N1 C");
    EXPECT_EQ(onePair.status, 1);
    EXPECT_EQ(onePair.out, "vemo-cli transform: 変換元点名と対応する変換先点名を指定してください\n");
    const ShellRun nothing = RunCli("transform --utf8 " + xyz + " --pairs A:N1,B:N2");
    EXPECT_EQ(nothing.status, 1);
    EXPECT_EQ(nothing.out, "vemo-cli transform: 変換元座標を1点以上指定してください\n");
    EXPECT_EQ(RunCli("transform --utf8 " + xyz + " --pairs").status, 2);
}

// The calculations a surveyor finds in the window, by hand: a calculation lost from the registry fails
// here as well as one added without its caption.
TEST_F(CliSite, CalcListNamesEveryCalculationWithItsCaption) {
    const ShellRun list = RunCli("calc --list --utf8");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "inverse         逆座標計算\n"
                        "perpendicular   垂線長計算\n"
                        "line-line       直線 X 直線\n"
                        "line-circle     直線 X 円\n"
                        "circle-circle   円 X 円\n"
                        "offset          ｵﾌｾｯﾄ計算\n"
                        "foot            垂線の足計算\n"
                        "corner-cut      隅切計算\n"
                        "parallel-shift  連続平行移動点計算\n"
                        "transform       座標変換\n"
                        "divide          定面積分割計算\n"
                        "stakeout        逆打ち計算\n");
    std::string fromRegistry;
    for (const CalcDefinition* definition : Calculations()) {
        fromRegistry += definition->id;
        fromRegistry += '\n';
    }
    std::string ids;
    std::istringstream lines(list.out);
    for (std::string line; std::getline(lines, line);) {
        ids += line.substr(0, line.find(' ')) + "\n";
    }
    EXPECT_EQ(ids, fromRegistry);
    const ShellRun help = RunCli("calc offset --help");
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--line1 A,B", "--line1-angle D.MMSS", "--base NAME", "--along L", "--across H"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(RunCli("calc no-such " + xyz).status, 2);
    EXPECT_EQ(RunCli("calc offset " + xyz + " --line1 A,B --base A --sideways 3").status, 2);
}

// Every calculation of the registry through `vemo-cli calc`, on the lot: A (south-west corner), B 30 m
// north, C 40 m east of B, D 40 m east of A.  New points are proposed after the list's last point, U8.
// Worked by hand: the diagonals cross at the lot's centre; the circle of 50 m about A meets the west
// side 50 m north and south of A; the circle through A, B, C has its centre at the middle of A-C and meets
// the south side at A and D; the circles about A (30 m) and C (40 m) meet at B (left of A -> C) and at B
// mirrored in A-C, A + (-8.4, 28.8); the foot of B on A-C is 18 m from A along (0.6, 0.8); a 10 m corner
// cut at the right angle B leaves 10/√2 = 7.071 m on each side; the path A, B, C moved 5 m to its right
// turns at B + (-5, 5); from A sighting B (north), C lies at atan(40/30) = 53°07'48", 50 m.
TEST_F(CliSite, EveryRegisteredCalculationRunsAsABatchCommand) {
    struct Case {
        const char* id;
        const char* options;
        const char* expected;
    };
    const Case cases[] = {
        {"inverse", "A B C D A", kRectangleInverse},
        {"perpendicular", "A C B", nullptr},
        {"line-line", "--line1 A,C --line2 B,D", "P1  U9                   -34985.000      12020.000\n"},
        {"line-circle", "--line1 A,B --circle1 A --radius1 50",
         "P1  U9                   -35050.000      12000.000\n"
         "P2  U10                  -34950.000      12000.000\n"},
        {"line-circle", "--line1 A,D --circle1 A,B,C",
         "P1  U9                   -35000.000      12000.000\n"
         "P2  U10                  -35000.000      12040.000\n"},
        {"circle-circle", "--circle1 A --radius1 30 --circle2 C --radius2 40",
         "P1  U9                   -34970.000      12000.000\n"
         "P2  U10                  -35008.400      12028.800\n"},
        {"offset", "--line1 A,B --base A --along 10 --across 5",
         "P1  U9                   -34990.000      12005.000\n"},
        {"foot", "--line1 A,C --base B", "P1  U9                   -34989.200      12014.400\n"},
        {"corner-cut", "--corner A,B,C --length 10",
         "P1  U9                   -34977.071      12000.000\n"
         "P2  U10                  -34970.000      12007.071\n"},
        {"parallel-shift", "--path A,B,C --widths 5", "P1  U9                   -34975.000      12005.000\n"},
        {"transform", "--pairs A:N1,B:N2 C",
         "- 2点変換 -\n\n"
         "平行移動距離              回転角\n\n"
         "X0 =  -23100.000          θ =  90-00-00\n"
         "Y0 =   47100.000\n\n"
         "C                    -35140.000      12130.000\n"},
        {"divide", "--ring A,B,C,D,A --area 450 --from-first", kQuarterFromA},
        {"stakeout", "--station A --backsight B --targets C,D",
         "器械点 A  後視点 B\n"
         "点名                  方向角      水平角    水平距離\n"
         "B(後視)              0-00-00     0-00-00      30.000\n"
         "C                   53-07-48    53-07-48      50.000\n"
         "D                   90-00-00    90-00-00      40.000\n"
         "杭間\n"
         "C - D                                         30.000\n"},
    };
    std::set<std::string> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " " + c.options);
        const ShellRun run = RunCli(std::string("calc ") + c.id + " --utf8 " + xyz + " " + c.options);
        EXPECT_EQ(run.status, 0);
        if (c.expected) {
            EXPECT_EQ(run.out, c.expected);
        } else {
            // B dropped onto A-C: 24 m off the line, 18 m from A and 32 m from C (columns may change).
            std::istringstream lines(run.out);
            std::vector<std::string> fields;
            for (std::string line; std::getline(lines, line);) {
                std::istringstream words(line);
                std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
                if (row.size() >= 2 && row[1] == "B") {
                    fields = row;
                }
            }
            EXPECT_EQ(fields, (std::vector<std::string>{"1", "B", "24.000", "18.000", "32.000"})) << run.out;
        }
        covered.insert(c.id);
    }
    for (const CalcDefinition* definition : Calculations()) {
        EXPECT_TRUE(covered.contains(std::string(definition->id))) << definition->id << " has no batch case";
    }
}

// The commands that came before `calc` print what `calc` prints, to the byte (the golden outputs above
// hold them to what they printed before).
TEST_F(CliSite, OlderCommandsAreTheCalculationsUnderTheirOwnNames) {
    for (const std::string& line : {std::string("inverse --radial ") + xyz + " B A C D",
                                    "divide " + xyz + " --ring A,B,C,D,A --area 300 --parallel A,B,0,A",
                                    "transform --helmert " + xyz + " --pairs A:N1,B:N2 C D X9"}) {
        const ShellRun alias = RunCli(line);
        const ShellRun calc = RunCli("calc " + line);
        EXPECT_EQ(alias.status, calc.status) << line;
        EXPECT_FALSE(alias.out.empty());
        const std::string name = line.substr(0, line.find(' '));
        std::string expected = calc.out;
        for (size_t at = 0; (at = expected.find("vemo-cli calc " + name, at)) != std::string::npos;) {
            expected.replace(at, 14 + name.size(), "vemo-cli " + name);
        }
        EXPECT_EQ(alias.out, expected) << line;
    }
}

// Stake-out hands its targets on: the SIMA file holds the station, the backsight and the targets with
// their coordinates; the printed 逆打ち計算書 is a PDF; stakes off by more than the tolerance are
// named on stderr with status 3; a target at the station is refused.
TEST_F(CliSite, StakeOutWritesSimaAndItsPrintedFormAndChecksTheStakes) {
    const ShellRun help = RunCli("calc stakeout --help");
    for (const char* option : {"--station NAME", "--backsight NAME", "--targets N1,N2", "--staked", "--tolerance"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const std::string sima = dir.File("stake.sim");
    const std::string pdf = dir.File("stake.pdf");
    const ShellRun run =
        RunCli("calc stakeout " + xyz + " --station A --backsight B --targets C,D --sima " + sima + " --pdf " + pdf);
    EXPECT_EQ(run.status, 0) << run.out;
    const ForeignData read = ReadSimaFile(sima);
    ASSERT_EQ(read.rows.size(), 4u);
    const XyzRow expected[] = {{"", "A", "-35000.000", "12000.000"},
                               {"", "B", "-34970.000", "12000.000"},
                               {"", "C", "-34970.000", "12040.000"},
                               {"", "D", "-35000.000", "12040.000"}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read.rows[i][1], expected[i][1]);
        EXPECT_EQ(read.rows[i][2], expected[i][2]);
        EXPECT_EQ(read.rows[i][3], expected[i][3]);
    }
    std::ifstream file(pdf, std::ios::binary);
    std::string head(5, '\0');
    file.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");

    // The stakes as measured: C 15 mm north and 20 mm west of its place, 25 mm against 10 + 2√50 =
    // 24.1 mm; D 10 mm north and 5 mm east, 11 mm against 10 + 2√40 = 22.6 mm.
    XyzList measured;
    measured.ReplaceAll(
        {XyzRow{"", "A", "-35000.000", "12000.000", "", "", ""}, XyzRow{"", "B", "-34970.000", "12000.000", "", "", ""},
         XyzRow{"", "C", "-34970.000", "12040.000", "", "", ""}, XyzRow{"", "D", "-35000.000", "12040.000", "", "", ""},
         XyzRow{"", "M1", "-34969.985", "12039.980", "", "", ""},
         XyzRow{"", "M2", "-34999.990", "12040.005", "", "", ""}});
    WriteXyzFile(dir.File("staked.Xyz"), measured);
    const ShellRun check = RunCli("calc stakeout --utf8 " + dir.File("staked.Xyz") +
                                  " --station A --backsight B --targets C,D --staked C:M1,D:M2 --tolerance 10,2");
    EXPECT_EQ(check.status, 3);
    EXPECT_NE(check.out.find("vemo-cli calc stakeout: C の出来形が許容誤差を超えています\n"), std::string::npos);
    EXPECT_EQ(check.out.find("D の出来形"), std::string::npos);
    EXPECT_NE(check.out.find("C                   0.015   -0.020    0.025    0.024  不良\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("D                   0.010    0.005    0.011    0.023  良\n"), std::string::npos);

    const ShellRun atStation = RunCli("calc stakeout --utf8 " + xyz + " --station A --backsight B --targets C,A,D");
    EXPECT_EQ(atStation.status, 1);
    EXPECT_EQ(atStation.out, "vemo-cli calc stakeout: A は器械点と同じ位置にあるため測設できません\n");
}

} // namespace
} // namespace vemo
