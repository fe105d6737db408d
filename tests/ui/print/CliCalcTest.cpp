// vemo-cli inverse, divide and transform run as a script would run them, over a 30 m × 40 m lot in
// plane coordinates: every figure below is worked out by hand from the lot's sides (areas 300, 450,
// 900, 750 and 1200 m², tsubo × 0.3025 truncated; the quarter turn gives X0 = -35100 + 12000 and
// Y0 = 12100 + 35000).  The included angle is counted from the back-sight, so every corner of the
// rectangle walked clockwise shows 270-00-00.
#include "core/files/XyzFile.h"
#include "core/store/XyzList.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace vemo {
namespace {

using test::ShellRun;

ShellRun RunCli(const std::string& arguments) {
    return test::RunShell(std::string(VEMO_CLI_PATH) + " " + arguments + " 2>&1");
}

// A (south-west corner), B 30 m north, C 40 m east of B, D 40 m east of A; N1, N2 the new positions
// of A and B after a quarter turn clockwise; U1..U8 a U-shaped lot 30 m across with 10 m arms; F1..F4
// a 20 m square 300 km south-west of the origin.
struct CliSite : testing::Test {
    CliSite() {
        XyzList list;
        list.ReplaceAll(
            {XyzRow{"", "A", "-35000.000", "12000.000", "", "", ""},
             XyzRow{"", "B", "-34970.000", "12000.000", "", "", ""},
             XyzRow{"", "C", "-34970.000", "12040.000", "", "", ""},
             XyzRow{"", "D", "-35000.000", "12040.000", "", "", ""},
             XyzRow{"", "N1", "-35100.000", "12100.000", "", "", ""},
             XyzRow{"", "N2", "-35100.000", "12130.000", "", "", ""}, XyzRow{"", "U1", "0.000", "0.000", "", "", ""},
             XyzRow{"", "U2", "30.000", "0.000", "", "", ""}, XyzRow{"", "U3", "30.000", "20.000", "", "", ""},
             XyzRow{"", "U4", "20.000", "20.000", "", "", ""}, XyzRow{"", "U5", "20.000", "10.000", "", "", ""},
             XyzRow{"", "U6", "10.000", "10.000", "", "", ""}, XyzRow{"", "U7", "10.000", "20.000", "", "", ""},
             XyzRow{"", "U8", "0.000", "20.000", "", "", ""},
             XyzRow{"", "F1", "-300000.000", "-300000.000", "", "", ""},
             XyzRow{"", "F2", "-299980.000", "-300000.000", "", "", ""},
             XyzRow{"", "F3", "-299980.000", "-299980.000", "", "", ""},
             XyzRow{"", "F4", "-300000.000", "-299980.000", "", "", ""},
             XyzRow{"", "LONGPOINTNAME12", "-299000.000", "-299000.000", "", "", ""}});
        WriteXyzFile(dir.File("site.Xyz"), list);
        xyz = dir.File("site.Xyz");
    }
    test::TempDir dir;
    std::string xyz;
};

TEST_F(CliSite, InverseListsSidesDirectionsAnglesAndArea) {
    const ShellRun run = RunCli("inverse --utf8 " + xyz + " A B C D A");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "       点名        距離     方向角        夾角  \n"
                       "   1  A                                         \n"
                       "   2  B           30.000     0-00-00   270-00-00\n"
                       "   3  C           40.000    90-00-00   270-00-00\n"
                       "   4  D           30.000   180-00-00   270-00-00\n"
                       "   5  A           40.000   270-00-00            \n"
                       " 面積   1200.0000000 ㎡\n"
                       " 坪数    363.0000    坪\n");
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
    const ShellRun far = RunCli("inverse --utf8 --perpendicular " + xyz + " F1 F3 F2 LONGPOINTNAME12");
    EXPECT_EQ(far.status, 0) << far.out;
    EXPECT_NE(far.out.find("LONGPOINTNAME12 "), std::string::npos) << far.out;
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
    EXPECT_EQ(fan.out, "P1:  -34970.000   12030.000\n"
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
                       "差   :      0.0000000 ㎡\n");
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

} // namespace
} // namespace vemo
