// vemo-cli adjust run as a script would run it, on published test networks (tests/data/network) and on
// small networks written here.
#include "core/files/XyzFile.h"
#include "core/store/XyzList.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsFixture.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace vemo {
namespace {

test::ShellRun RunCli(const std::string& arguments) {
    return test::RunShell(std::string(VEMO_CLI_PATH) + " adjust " + arguments);
}

std::string Network(const std::string& name) {
    return std::string(VEMO_TEST_DATA_DIR) + "/network/" + name;
}

// Two known points 600 m apart and a new point 424 m from both (at X −145700, Y 22300), seen from both
// with directions and distances of the standard deviations given; the standard deviations of the
// results come from them (σ0 a priori).
std::string Triangle(const test::TempDir& dir, double directionSigmaCc, double distanceSigmaMm,
                     const std::string& extra = "") {
    const std::string path = dir.File("triangle.gkf");
    std::ofstream out(path);
    out << "<?xml version=\"1.0\"?>\n<gama-local><network axes-xy=\"ne\">\n<parameters sigma-act=\"apriori\"/>\n"
        << "<points-observations direction-stdev=\"" << directionSigmaCc << "\" distance-stdev=\"" << distanceSigmaMm
        << "\">\n"
        << "<point id=\"A\" x=\"-146000.000\" y=\"22000.000\" fix=\"xy\"/>\n"
        << "<point id=\"B\" x=\"-146000.000\" y=\"22600.000\" fix=\"xy\"/>\n<point id=\"N\" adj=\"xy\"/>\n"
        << "<obs from=\"A\"><direction to=\"B\" val=\"0\"/><direction to=\"N\" val=\"350\"/>"
        << "<distance to=\"N\" val=\"424.2641\"/></obs>\n"
        << "<obs from=\"B\"><direction to=\"A\" val=\"0\"/><direction to=\"N\" val=\"50.0012\"/>"
        << "<distance to=\"N\" val=\"424.2690\"/></obs>\n"
        << extra << "</points-observations></network></gama-local>\n";
    return path;
}

TEST(CliAdjust, AdjustsAPublishedNetworkAndWritesItsNewPointsNorthFirst) {
    test::TempDir dir;
    const std::string xyz = dir.File("out.Xyz");
    const std::string pdf = dir.File("report.pdf");
    const test::ShellRun run = RunCli("--utf8 --xyz " + xyz + " --report " + pdf + " --plot " + dir.File("plot.pdf") +
                                      " " + Network("gama-local.gkf") + " 2>/dev/null");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("既知点 2 点  新点 10 点"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("自由度 37"), std::string::npos);
    EXPECT_NE(run.out.find("0.964"), std::string::npos); // σ0 a posteriori 9.636 of a priori 10
    // The 平均計算書: its title, the network's own description and the listing.
    const test::ShellRun text = test::RunShell("pdftotext -layout " + pdf + " -");
    EXPECT_NE(text.out.find("平均計算書"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("example: page 238, Appendix B"), std::string::npos);
    EXPECT_NE(text.out.find("-1054612.5952"), std::string::npos);
    // The plot closes the report on a sheet of its own (pdftotext parts sheets with a form feed), with
    // the exaggeration of its ellipses stated.
    const std::string lastSheet = text.out.substr(text.out.rfind('\f', text.out.size() - 2) + 1);
    EXPECT_NE(lastSheet.find("楕円は 20000 倍"), std::string::npos) << text.out;
    EXPECT_EQ(lastSheet.find("平均計算書"), std::string::npos) << lastSheet;
    // The plot names its exaggeration (the largest half axis, 6.1 mm, drawn at most half the usual
    // spacing of the points, a few hundred metres: a round 20000, as 50000 would make it 305 m) and
    // every point.
    const test::ShellRun plot = test::RunShell("pdftotext " + dir.File("plot.pdf") + " -");
    EXPECT_NE(plot.out.find("楕円は 20000 倍"), std::string::npos) << plot.out;
    EXPECT_NE(plot.out.find("413"), std::string::npos);
    XyzList list;
    ASSERT_TRUE(ReadXyzFile(xyz, list));
    ASSERT_EQ(list.PointRowCount(), 10);
    // The file's axes point south (x) and west (y): point 403 at x 1054612.5952, y 644373.6085 (published)
    // lies at X −1054612.595, Y −644373.608 in this program's north-east axes.
    EXPECT_EQ(list.Cell(1, kColName), "403");
    EXPECT_EQ(list.Cell(1, kColX), "-1054612.595");
    EXPECT_EQ(list.Cell(1, kColY), "-644373.608");
}

// A connected route A (1000, 1000) north to P1, east to P2, north to B (1200, 1100), 100 m legs with
// the northward ones measured 10 and 20 mm long: least squares takes about 15 mm off each.
TEST(CliAdjust, AdjustsTraverseFilesAsANetwork) {
    test::TempDir dir;
    test::TrvsFixture route;
    route.Start(kTrvsConnected, "A", "1000.000", "1000.000", "S", "180.0000", false);
    route.header.T2No = "B";
    route.header.T2X = "1200.000";
    route.header.T2Y = "1100.000";
    route.header.T3No = "E";
    route.header.T3Angle = "90.0000";
    route.header.endIncoming = false;
    route.Row("T", "P1", "180.0000", "90.0000", "100.010");
    route.Row("T", "P2", "270.0000", "90.0000", "100.000");
    route.Row("T", "B", "90.0000", "90.0000", "100.020");
    route.Row("T", "E", "270.0000", "90.0000", "");
    const std::string trv = dir.File("route.Trv");
    SaveTrvFile(trv, route.header, route.table, false);
    const std::string xyz = dir.File("out.Xyz");
    const test::ShellRun run = RunCli("--utf8 --xyz " + xyz + " " + trv);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("既知点 2 点  新点 2 点"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("角 2  距離 3  方向角 2"), std::string::npos) << run.out;
    XyzList list;
    ASSERT_TRUE(ReadXyzFile(xyz, list));
    ASSERT_EQ(list.PointRowCount(), 2);
    EXPECT_EQ(list.Cell(1, kColName), "P1");
    EXPECT_EQ(list.Cell(1, kColX), "1099.995");
    EXPECT_EQ(list.Cell(2, kColX), "1099.995");
    EXPECT_EQ(list.Cell(2, kColY), "1100.000");
    EXPECT_EQ(RunCli("--angle-sigma 0 " + trv + " 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli(trv + " " + Network("gama-local.gkf") + " 2>/dev/null").status, 2);
}

// The hand-made field book (tests/data/network/field-book.ZUB) with its known points A and B from a
// coordinate file: the new point P comes out at (−145700, 22300), and the distance the book holds
// without a zenith angle is named on stderr with the book.  Its observations are exact, so σ0 falls far
// below its a priori value: adjusted, the χ² test failed (3).
TEST(CliAdjust, AdjustsAFieldBookWithKnownPointsFromACoordinateFile) {
    test::TempDir dir;
    XyzList known;
    LoadXyzRows(known,
                {XyzRow{"", "A", "-146000.000", "22000.000", "0.000", "", ""},
                 XyzRow{"", "B", "-146000.000", "22600.000", "0.000", "", ""}},
                XyzReadMode::Replace);
    const std::string knownPath = dir.File("known.Xyz");
    WriteXyzFile(knownPath, known);
    const std::string xyz = dir.File("out.Xyz");
    const test::ShellRun run =
        RunCli("--utf8 --known " + knownPath + " --xyz " + xyz + " " + Network("field-book.ZUB") + " 2>&1");
    EXPECT_EQ(run.status, 3) << run.out;
    EXPECT_NE(run.out.find("field-book.ZUB: ZUBの 16 行目: 器械点 P から B への距離は鉛直角がない"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("既知点 2 点  新点 1 点"), std::string::npos) << run.out;
    XyzList list;
    ASSERT_TRUE(ReadXyzFile(xyz, list));
    ASSERT_EQ(list.PointRowCount(), 1);
    EXPECT_EQ(list.Cell(1, kColName), "P");
    EXPECT_EQ(list.Cell(1, kColX), "-145700.000");
    EXPECT_EQ(list.Cell(1, kColY), "22300.000");
}

TEST(CliAdjust, ExitStatusTellsFailedTestsLimitsRefusalsAndUsage) {
    test::TempDir dir;
    // σ0 a posteriori 7.5 times the a priori value, and blunders: adjusted, tests failed.
    EXPECT_EQ(RunCli(Network("zoltan-test_2d_dms.gkf") + " > /dev/null").status, 3);
    EXPECT_EQ(RunCli(Triangle(dir, 10.0, 5.0) + " > /dev/null").status, 0);
    EXPECT_EQ(RunCli("--class 3 " + Triangle(dir, 10.0, 5.0) + " > /dev/null").status, 0);
    // Directions of ±0.2 gon and distances of ±40 cm: the new point's σP exceeds the 10 cm of the class
    // (and, without a class to judge, σ0 falls far below its a priori value: the χ² test fails).
    EXPECT_EQ(RunCli("--class 3 " + Triangle(dir, 2000.0, 400.0) + " > /dev/null").status, 4);
    EXPECT_EQ(RunCli(Triangle(dir, 2000.0, 400.0) + " > /dev/null").status, 3);
    const test::ShellRun refused =
        RunCli(Triangle(dir, 10.0, 5.0, "<obs from=\"A\"><z-angle to=\"N\" val=\"100\"/></obs>\n") + " 2>&1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("z-angle は扱えません"), std::string::npos) << refused.out;
    const test::ShellRun unconnected = RunCli(Triangle(dir, 10.0, 5.0,
                                                       "<point id=\"Q\" adj=\"xy\"/><point id=\"R\" adj=\"xy\"/>"
                                                       "<obs from=\"Q\"><distance to=\"R\" val=\"10\"/></obs>\n") +
                                              " 2>&1");
    EXPECT_EQ(unconnected.status, 1);
    EXPECT_NE(unconnected.out.find("点 Q は観測で既知点とつながっていません"), std::string::npos) << unconnected.out;
    EXPECT_EQ(RunCli("--class 5 x.gkf 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli("2>/dev/null").status, 2);
}

} // namespace
} // namespace vemo
