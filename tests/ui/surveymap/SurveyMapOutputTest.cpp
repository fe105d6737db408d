// vemo-cli survey-map run as a surveyor's script runs it: the PDF read back as text and as an image,
// the DXF read back by an independent reader.
#include "core/files/BlkFile.h"
#include "core/files/XyzFile.h"
#include "core/gis/SiteZone.h"
#include "core/parcels/AreaReports.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/surveymap/SiteSurveyInfo.h"
#include "core/surveymap/SurveyMapLayout.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace vemo::surveymap {
namespace {

using test::ShellRun;

ShellRun Shell(const std::string& command) {
    return test::RunShell(command + " 2>&1");
}

// A parcel 123 (20 m × 25 m in zone IX) divided into 123-1 (250.00 m², by the constant-area division
// parallel to its south side) and 123-2, with four adjacent parcels and mixed markers; control points
// T1 and T2.
struct Site {
    test::TempDir dir;
    XyzList list;
    BlockList blocks;

    Site() {
        auto row = [](const char* name, const char* x, const char* y, const char* kind) {
            return XyzRow{"", name, x, y, "", Jp(kind), ""};
        };
        list.ReplaceAll(
            {row("A", "-35000.000", "-8000.000", "コンクリート杭"), row("B", "-34975.000", "-8000.500", "金属標"),
             row("C", "-34975.300", "-7980.000", "石杭"), row("D", "-35000.200", "-7979.800", "プラスチック杭"),
             row("P1", "-34987.666", "-8000.247", "金属標"), row("P2", "-34987.868", "-7979.899", "金属標"),
             row("W1", "-35000.100", "-8018.000", "鋲"), row("W2", "-34975.200", "-8018.300", "コンクリート杭"),
             row("E1", "-35000.300", "-7962.100", ""), row("E2", "-34975.400", "-7962.000", "金属標"),
             row("N1", "-34958.200", "-8000.400", "コンクリート杭"), row("N2", "-34958.000", "-7980.100", ""),
             row("S1", "-35016.100", "-8000.100", "石杭"), row("S2", "-35016.000", "-7979.900", "鋲"),
             row("T1", "-35030.000", "-8030.000", "3級基準点"), row("T2", "-34940.000", "-7950.000", "3級基準点")});
        for (auto [name, ring] : {std::pair{"123-1", "A,P1,P2,D,A"},
                                  {"123-2", "P1,B,C,P2,P1"},
                                  {"122", "A,W1,W2,B,A"},
                                  {"124", "D,C,E2,E1,D"},
                                  {"120", "B,N1,N2,C,B"},
                                  {"125", "A,D,S2,S1,A"}}) {
            blocks.Add(Block{name, ring, 6, 0, 0});
        }
        WriteXyzFile(dir.File("site.Xyz"), list);
        WriteBlkFile(dir.File("site.Blk"), blocks);
        gis::WriteSiteZone(dir.Path(), {9, gis::Datum::Jgd2011});
        WriteSiteSurveyInfo(dir.Path(), Info());
    }

    static SiteSurveyInfo Info() {
        SiteSurveyInfo info;
        info.title = {Jp("東京都千代田区霞が関三丁目"), Jp("令和8年12月1日"), Jp("測量 太郎"), Jp("測量登記事務所"),
                      Jp("申請 花子")};
        for (auto [name, category, role] : {std::tuple{"123-1", "宅地", ParcelRole::Subject},
                                            {"123-2", "宅地", ParcelRole::Subject},
                                            {"122", "宅地", ParcelRole::Adjacent},
                                            {"124", "山林", ParcelRole::Adjacent},
                                            {"120", "宅地", ParcelRole::Adjacent},
                                            {"125", "畑", ParcelRole::Adjacent}}) {
            info.ParcelEntry(name) = {name, Jp(category), role};
        }
        return info;
    }

    std::string Files() const { return dir.File("site.Xyz") + " " + dir.File("site.Blk"); }
};

// Runs of blanks (and the full-width space, which the text extraction may give as either) as one space.
std::string Collapsed(std::string text) {
    for (size_t at; (at = text.find("\u3000")) != std::string::npos;) {
        text.replace(at, 3, " ");
    }
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        line += (line.empty() ? "" : " ") + word;
    }
    return line;
}

TEST(SurveyMapOutput, PdfHoldsEveryRequiredItem) {
    Site site;
    ShellRun run =
        Shell(std::string(VEMO_CLI_PATH) + " survey-map " + site.Files() + " --pdf " + site.dir.File("map.pdf"));
    ASSERT_EQ(run.status, 0) << run.out;
    std::string text = Shell("pdftotext -layout " + site.dir.File("map.pdf") + " -").out;
    for (const char* item : {"地積測量図",
                             "東京都千代田区霞が関三丁目",
                             "地番区域",
                             "1/250",
                             "平面直角座標系 第9系",
                             "座標法",
                             "令和8年12月1日",
                             "測量登記事務所 測量 太郎",
                             "申請 花子",
                             "N",
                             "凡例",
                             "コンクリート杭",
                             "金属標",
                             "石杭",
                             "プラスチック杭",
                             "鋲",
                             "境界標なし",
                             "基準点",
                             "123-1",
                             "123-2",
                             "122",
                             "124",
                             "120",
                             "125",
                             "宅地",
                             "山林",
                             "畑",
                             "筆界点座標表",
                             "T1",
                             "T2"}) {
        EXPECT_NE(text.find(item), std::string::npos) << item;
    }
    std::string lines = "\n";
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines += Collapsed(line) + "\n";
    }
    // Every point with its coordinates, as in the coordinate list.
    XyzNameIndex index;
    index.Rebuild(site.list);
    for (int row = 1; row < site.list.RowCount(); ++row) {
        std::string name = site.list.Cell(row, kColName);
        std::string expected = name + " " + site.list.Cell(row, kColX) + " " + site.list.Cell(row, kColY);
        EXPECT_NE(lines.find(expected), std::string::npos) << expected;
    }
    // The 求積表 is the area report's table, line for line.
    for (int p : {0, 1}) {
        auto residential = [](const std::string&) { return Jp("宅地"); };
        for (const ReportLine& line : AreaReportLines(site.blocks, {p}, index, residential)) {
            std::string expected = Collapsed(Cp932ToUtf8(line.text));
            if (expected.find_first_not_of('-') != std::string::npos && expected.find("計算書") == std::string::npos &&
                expected.find("合") == std::string::npos && expected != "面 積 507.6496500" &&
                expected.find("地 積 507") == std::string::npos && expected.find("坪 数 153") == std::string::npos) {
                EXPECT_NE(lines.find(expected + "\n"), std::string::npos) << expected;
            }
        }
    }
    EXPECT_NE(lines.find("地積（宅地） 250.00 ㎡"), std::string::npos);
    // Each side of the subject parcels written on the drawing (beyond its 辺長 in the 求積表s) with the
    // distance the inverse gives, worked here from the coordinates.
    auto count = [](const std::string& haystack, const std::string& needle) {
        int n = 0;
        for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) {
            ++n;
        }
        return n;
    };
    std::string report;
    for (const ReportLine& line : AreaReportLines(site.blocks, {0, 1}, index)) {
        report += Cp932ToUtf8(line.text) + "\n";
    }
    for (auto [a, b] :
         {std::pair{"A", "P1"}, {"P1", "P2"}, {"P2", "D"}, {"D", "A"}, {"P1", "B"}, {"B", "C"}, {"C", "P2"}}) {
        auto p = *index.Find(a), q = *index.Find(b);
        std::string distance = Sprintf("%.3f", std::hypot(p.x - q.x, p.y - q.y));
        EXPECT_EQ(count(text, distance), count(report, distance) + 1) << a << "-" << b << " " << distance;
    }
}

// A 10.000 m square at 1/250: its west and east sides stand 40.0 mm apart on the PDF's paper, measured
// on the PDF rendered at 254 dpi (10 pixels a millimetre) between the centres of the drawn lines.
TEST(SurveyMapOutput, PdfIsTrueToScale) {
    test::TempDir dir;
    XyzList list;
    list.ReplaceAll({{"", "A", "-35000.000", "-8000.000", "", Jp("鋲"), ""},
                     {"", "B", "-34990.000", "-8000.000", "", "", ""},
                     {"", "C", "-34990.000", "-7990.000", "", "", ""},
                     {"", "D", "-35000.000", "-7990.000", "", "", ""}});
    BlockList blocks;
    blocks.Add(Block{"5", "A,B,C,D,A", 5, 0, 0});
    WriteXyzFile(dir.File("s.Xyz"), list);
    WriteBlkFile(dir.File("s.Blk"), blocks);
    ShellRun run = Shell(std::string(VEMO_CLI_PATH) + " survey-map " + dir.File("s.Xyz") + " " + dir.File("s.Blk") +
                         " --parcel 5 --zone 9 --pdf " + dir.File("s.pdf"));
    ASSERT_EQ(run.status, 0) << run.out;
    // Where to look: the layout says where the sides should be; the image says where they are.  Only a
    // band of the sheet is rendered, from its left edge, so that pixel columns still count from it.
    SurveyMapModel model = BuildSurveyMapModel(list, blocks, {{"5"}, {}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {});
    PaperPoint west = layout.transform.ToPaper({-34997.5, -8000}), east = layout.transform.ToPaper({-34997.5, -7990});
    int top = static_cast<int>(std::lround(west.y * 10)) - 5;
    ASSERT_EQ(Shell("pdftoppm -r 254 -gray -png -singlefile -x 0 -y " + std::to_string(top) + " -W " +
                    std::to_string(static_cast<int>(east.x * 10) + 100) + " -H 10 " + dir.File("s.pdf") + " " +
                    dir.File("s"))
                  .status,
              0);
    QImage image(QString::fromStdString(dir.File("s.png")));
    ASSERT_FALSE(image.isNull());
    int y = 5;
    auto lineCentre = [&](double expectedMm) {
        double sum = 0;
        int count = 0;
        for (int x = static_cast<int>((expectedMm - 3) * 10); x <= static_cast<int>((expectedMm + 3) * 10); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                sum += x + 0.5;
                ++count;
            }
        }
        EXPECT_GT(count, 2) << "no line near " << expectedMm << " mm";
        return sum / std::max(count, 1) / 10.0;
    };
    EXPECT_NEAR(lineCentre(east.x) - lineCentre(west.x), 40.0, 0.1);
}

TEST(SurveyMapOutput, DxfReadsBackInAnIndependentReader) {
    Site site;
    ShellRun run =
        Shell(std::string(VEMO_CLI_PATH) + " survey-map " + site.Files() + " --dxf " + site.dir.File("map.dxf"));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("線幅"), std::string::npos); // says what the CAD drawing does not carry
    const char* script = R"(
import ezdxf, sys
d = ezdxf.readfile(sys.argv[1])
print(sorted(l.dxf.name for l in d.layers))
for e in d.modelspace():
    t = e.dxftype()
    if t == 'POINT' and e.dxf.layer == '筆界点': print('POINT', '%.3f %.3f' % tuple(e.dxf.location)[:2])
    elif t == 'MTEXT': print('TEXT', e.dxf.layer, e.plain_text().replace('\\~', ' '))
    elif t == 'LWPOLYLINE' and e.dxf.layer == '筆界線': print('LINE', e.closed, ' '.join('%.3f,%.3f' % p for p in e.get_points('xy')))
)";
    test::WriteBytes(site.dir.File("read.py"), script);
    std::string read = Shell("/usr/bin/python3 " + site.dir.File("read.py") + " " + site.dir.File("map.dxf")).out;
    EXPECT_NE(
        read.find(
            "['0', 'Defpoints', '一覧', '凡例', '地番', '方位', '枠', '標題', '点名', '筆界点', '筆界線', '縮尺', "
            "'辺長', '隣接地']"),
        std::string::npos)
        << read;
    // Ground coordinates: drawing x = Y east, y = X north.
    EXPECT_NE(read.find("POINT -8000.247 -34987.666\n"), std::string::npos);
    EXPECT_NE(
        read.find("LINE True -8000.000,-35000.000 -8000.247,-34987.666 -7979.899,-34987.868 -7979.800,-35000.200"),
        std::string::npos);
    for (const char* text : {"TEXT 辺長 20.349", "TEXT 地番 123-1", "TEXT 地番 124", "TEXT 地番 山林", "TEXT 点名 P2",
                             "TEXT 標題 地積測量図", "TEXT 一覧 求積表（座標法）  地番 123-1  地目 宅地"}) {
        EXPECT_NE(read.find(text), std::string::npos) << text;
    }
}

TEST(SurveyMapOutput, CommandLineErrors) {
    Site site;
    std::string cli = std::string(VEMO_CLI_PATH) + " survey-map ";
    EXPECT_EQ(Shell(cli + site.Files()).status, 2);                              // no output
    EXPECT_EQ(Shell(cli + site.Files() + " --scale 400 --pdf x.pdf").status, 2); // not a standard scale
    EXPECT_EQ(Shell(cli + site.Files() + " --parcel 999 --pdf " + site.dir.File("x.pdf")).status, 1); // no such parcel
    ShellRun missing = Shell(cli + site.dir.File("none.Xyz") + " " + site.dir.File("site.Blk") + " --pdf x.pdf");
    EXPECT_EQ(missing.status, 1);
}

} // namespace
} // namespace vemo::surveymap
