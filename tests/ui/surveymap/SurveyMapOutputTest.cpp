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

#include <QByteArray>
#include <QImage>

#include <tiffio.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
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
        info.title = {Jp("東京都千代田区霞が関三丁目"),
                      Jp("令和8年12月1日"),
                      Jp("測量 太郎"),
                      Jp("測量登記事務所"),
                      Jp("申請 花子"),
                      Jp("令和8年12月10日")};
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
                             "1/200", // the largest scale at which the parcels fit on B4
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
            // The ring rows (the figures below them are the drawing's own: no 坪数, one 地積).
            if (expected.find_first_not_of('-') != std::string::npos && expected.find("計算書") == std::string::npos &&
                expected.find("合") == std::string::npos && expected.find("積") == std::string::npos &&
                expected.find("坪") == std::string::npos && expected.find("(n-1)") == std::string::npos &&
                expected != "123-1" && expected != "123-2") {
                EXPECT_NE(lines.find("\n" + expected + " "), std::string::npos) << expected; // 1st column
            }
        }
    }
    EXPECT_NE(lines.find("地 積 250.00 ㎡"), std::string::npos);
    EXPECT_NE(lines.find("X-X(n-1)"), std::string::npos);
    EXPECT_EQ(lines.find("X-Y(n-1)"), std::string::npos); // a head over a column of X differences
    EXPECT_EQ(lines.find("坪"), std::string::npos);
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
                         " --parcel 5 --zone 9 --scale 250 --pdf " + dir.File("s.pdf"));
    ASSERT_EQ(run.status, 3) << run.out; // drawn; the title items are missing
    // Where to look: the layout says where the sides should be; the image says where they are.  Only a
    // band of the sheet is rendered, from its left edge, so that pixel columns still count from it.
    SurveyMapModel model = BuildSurveyMapModel(list, blocks, {{"5"}, {}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {250, PaperSize::B4, false});
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
        EXPECT_GT(count, 0) << "no line near " << expectedMm << " mm";
        return sum / std::max(count, 1) / 10.0;
    };
    EXPECT_NEAR(lineCentre(east.x) - lineCentre(west.x), 40.0, 0.1);
}

TEST(SurveyMapOutput, DxfReadsBackInAnIndependentReader) {
    Site site;
    // An adjacent road parcel 1.2 km long, far beyond any sheet: the DXF carries it whole.
    XyzList list = site.list;
    std::vector<XyzRow> rows;
    for (int row = 1; row < list.RowCount(); ++row) {
        rows.push_back({"", list.Cell(row, kColName), list.Cell(row, kColX), list.Cell(row, kColY), "",
                        list.Cell(row, kColTensyu), ""});
    }
    rows.push_back({"", "R1", "-35600.000", "-8030.000", "", "", ""});
    rows.push_back({"", "R2", "-34400.000", "-8030.000", "", "", ""});
    list.ReplaceAll(rows);
    WriteXyzFile(site.dir.File("site.Xyz"), list);
    BlockList blocks = site.blocks;
    blocks.Add(Block{"900", "R1,R2,W2,W1,R1", 5, 0, 0});
    WriteBlkFile(site.dir.File("site.Blk"), blocks);
    SiteSurveyInfo info = Site::Info();
    info.ParcelEntry("900") = {"900", Jp("公衆用道路"), ParcelRole::Adjacent};
    WriteSiteSurveyInfo(site.dir.Path(), info);
    ShellRun run = Shell(std::string(VEMO_CLI_PATH) + " survey-map " + site.Files() + " --scale 500 --dxf " +
                         site.dir.File("map.dxf"));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("線幅"), std::string::npos); // says what the CAD drawing does not carry
    const char* script = R"(
import ezdxf, sys
d = ezdxf.readfile(sys.argv[1])
print(sorted(l.dxf.name for l in d.layers))
print('UNITS', d.header.get('$INSUNITS'), d.header.get('$MEASUREMENT'))
for b in d.blocks:
    if b.name.startswith('MARKER_'): print('BLOCK', b.name, ' '.join(sorted(set(e.dxftype() for e in b))))
for e in d.modelspace():
    t = e.dxftype()
    if t == 'POINT' and e.dxf.layer == '筆界点': print('POINT', '%.3f %.3f' % tuple(e.dxf.location)[:2])
    elif t == 'MTEXT': print('TEXT', e.dxf.layer, e.plain_text().replace('\\~', ' '))
    elif t == 'LWPOLYLINE' and e.dxf.layer in ('筆界線', '隣接地'):
        p = list(e.get_points('xy'))
        closed = e.closed or (len(p) > 2 and p[0] == p[-1])
        if not e.closed and closed: p = p[:-1]
        print('LINE' if e.dxf.layer == '筆界線' else 'ADJ', closed, ' '.join('%.3f,%.3f' % q for q in p))
    elif t == 'INSERT' and e.dxf.layer == '筆界点': print('INSERT', e.dxf.name, '%.3f %.3f' % tuple(e.dxf.insert)[:2])
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
    EXPECT_NE(read.find("UNITS 6 1\n"), std::string::npos) << read; // metres, as the coordinates are
    // One block per marker symbol, a filled one with its hatch: 鋲 and 木杭 no longer look alike in CAD.
    for (const char* block : {"BLOCK MARKER_FilledCircle HATCH\n", "BLOCK MARKER_Square LWPOLYLINE\n",
                              "BLOCK MARKER_CircleDot HATCH LWPOLYLINE\n", "BLOCK MARKER_Triangle LWPOLYLINE\n",
                              "BLOCK MARKER_SquareCross LWPOLYLINE\n", "BLOCK MARKER_DoubleCircle LWPOLYLINE\n",
                              "BLOCK MARKER_Plain HATCH\n"}) {
        EXPECT_NE(read.find(block), std::string::npos) << block << read;
    }
    EXPECT_NE(read.find("INSERT MARKER_FilledCircle -8018.000 -35000.100\n"), std::string::npos) << read; // W1 鋲
    EXPECT_NE(read.find("INSERT MARKER_Square -8000.000 -35000.000\n"), std::string::npos) << read;       // A
    EXPECT_NE(read.find("ADJ True -8030.000,-35600.000 -8030.000,-34400.000 -8018.300,-34975.200 -8018.000,-35000.100"),
              std::string::npos)
        << read;
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
    EXPECT_EQ(Shell(cli + site.Files() + " --parcel 123-1 --parcel 123-1 --pdf x.pdf").status, 2); // twice
    EXPECT_EQ(Shell(cli + site.Files() + " --parcel 123-1 --adjacent 123-1 --pdf x.pdf").status, 2);
    EXPECT_EQ(Shell(cli + site.Files() + " --category '123-1=宅地 ' --pdf x.pdf").status, 2); // not on the list
    EXPECT_EQ(Shell(cli + site.Files() + " --category 123-1=宅池 --pdf x.pdf").status, 2);
    EXPECT_EQ(Shell(cli + site.Files() + " --parcel 999 --pdf " + site.dir.File("x.pdf")).status, 1); // no such parcel
    ShellRun missing = Shell(cli + site.dir.File("none.Xyz") + " " + site.dir.File("site.Blk") + " --pdf x.pdf");
    EXPECT_EQ(missing.status, 1);
}

// Every item the register requires, left out in turn: the drawing is written, the item named on stderr,
// and the exit status is 3, so a script never files an incomplete sheet as a finished one.
TEST(SurveyMapOutput, ExitStatusNamesEachMissingItem) {
    Site site;
    std::string cli = std::string(VEMO_CLI_PATH) + " survey-map " + site.Files() + " --pdf " + site.dir.File("m.pdf");
    ShellRun complete = Shell(cli);
    ASSERT_EQ(complete.status, 0) << complete.out;
    auto withInfo = [&](const std::function<void(SiteSurveyInfo&)>& change) {
        SiteSurveyInfo info = Site::Info();
        change(info);
        test::WriteBytes(site.dir.File("info.txt"), SiteSurveyInfoText(info));
        std::filesystem::remove(site.dir.File("m.pdf"));
        return Shell(cli + " --info " + site.dir.File("info.txt"));
    };
    struct Case {
        const char* said;
        std::function<void(SiteSurveyInfo&)> change;
    };
    const Case cases[] = {
        {"地番区域の名称が入力されていません。", [](SiteSurveyInfo& i) { i.title.district.clear(); }},
        {"測量年月日が入力されていません。", [](SiteSurveyInfo& i) { i.title.surveyDate.clear(); }},
        {"作成年月日が入力されていません。", [](SiteSurveyInfo& i) { i.title.madeDate.clear(); }},
        {"申請人が入力されていません。", [](SiteSurveyInfo& i) { i.title.applicant.clear(); }},
        {"作成者が入力されていません。", [](SiteSurveyInfo& i) { i.title.surveyor.clear(), i.title.office.clear(); }},
        {"地番 124 の地目が選ばれていません。", [](SiteSurveyInfo& i) { i.ParcelEntry("124").category.clear(); }},
        {"基準点（測量の基礎とした点）がありません。", [](SiteSurveyInfo& i) { i.controlKinds = {Jp("境界点")}; }},
        {"点種「鋲」（W1 など 2 点）に当てる境界標の記号がありません。",
         [](SiteSurveyInfo& i) { i.markers.erase(i.markers.begin() + 4); }},
    };
    for (const Case& c : cases) {
        ShellRun run = withInfo(c.change);
        EXPECT_EQ(run.status, 3) << c.said << "\n" << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_TRUE(std::filesystem::exists(site.dir.File("m.pdf"))) << c.said;
    }
    std::filesystem::remove(site.dir.File("VemoZone.txt"));
    ShellRun noZone = Shell(cli);
    EXPECT_EQ(noZone.status, 3);
    EXPECT_NE(noZone.out.find("平面直角座標系の番号が分かりません"), std::string::npos) << noZone.out;
    // A scale at which the parcels do not fit is refused, naming the one that fits; nothing is written.
    std::filesystem::remove(site.dir.File("m.pdf"));
    ShellRun tooLarge = Shell(cli + " --zone 9 --scale 100");
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_NE(tooLarge.out.find("縮尺 1/100 では対象の画地が用紙に収まりません。収まる縮尺は 1/200 です。"),
              std::string::npos)
        << tooLarge.out;
    EXPECT_FALSE(std::filesystem::exists(site.dir.File("m.pdf")));
}

// Every stroke of the PDF's drawing commands, its width taken through the current transformation
// matrix to millimetres on the sheet: none is wider than the register's 0.2 mm (74条1項).
TEST(SurveyMapOutput, NoPdfLineIsWiderThanTwoTenthsOfAMillimetre) {
    Site site;
    ASSERT_EQ(
        Shell(std::string(VEMO_CLI_PATH) + " survey-map " + site.Files() + " --pdf " + site.dir.File("m.pdf")).status,
        0);
    std::string pdf = test::ReadBytes(site.dir.File("m.pdf"));
    double widest = 0;
    int strokes = 0;
    for (size_t at = pdf.find("stream"); at != std::string::npos; at = pdf.find("stream", at + 1)) {
        if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0) {
            continue;
        }
        size_t begin = pdf.find('\n', at) + 1;
        size_t end = pdf.find("endstream", begin);
        size_t dictionary = pdf.rfind("<<", at);
        bool flate = pdf.substr(dictionary, at - dictionary).find("/FlateDecode") != std::string::npos;
        QByteArray raw = QByteArray::fromStdString(pdf.substr(begin, end - begin));
        if (flate) {
            raw.prepend(QByteArray("\x00\x10\x00\x00", 4)); // a size hint; qUncompress grows past it
            raw = qUncompress(raw);
        }
        // Operands and operators, the graphics state (its matrix) saved and restored with q and Q.
        std::vector<std::array<double, 6>> stack{{1, 0, 0, 1, 0, 0}};
        std::vector<double> operands;
        std::istringstream tokens(raw.toStdString());
        for (std::string token; tokens >> token;) {
            char* stop = nullptr;
            double value = std::strtod(token.c_str(), &stop);
            if (stop != token.c_str() && *stop == '\0') {
                operands.push_back(value);
                continue;
            }
            auto& m = stack.back();
            if (token == "q") {
                stack.push_back(m);
            } else if (token == "Q" && stack.size() > 1) {
                stack.pop_back();
            } else if (token == "cm" && operands.size() >= 6) {
                const double* n = &operands[operands.size() - 6];
                m = {n[0] * m[0] + n[1] * m[2], n[0] * m[1] + n[1] * m[3],        n[2] * m[0] + n[3] * m[2],
                     n[2] * m[1] + n[3] * m[3], n[4] * m[0] + n[5] * m[2] + m[4], n[4] * m[1] + n[5] * m[3] + m[5]};
            } else if (token == "w" && !operands.empty()) {
                double scale = std::sqrt(std::fabs(m[0] * m[3] - m[1] * m[2]));
                widest = std::max(widest, operands.back() * scale * 25.4 / 72); // points to millimetres
                ++strokes;
            }
            operands.clear();
        }
    }
    EXPECT_GT(strokes, 10);
    EXPECT_LE(widest, 0.2 + 1e-6);
    EXPECT_GE(widest, 0.19); // the subject boundary's bold line is there, at its width
}

// The TIFF read back by libtiff: what the register's notice asks (1 bit, CCITT Group 4, 400 dpi both
// ways, B4: 257 mm × 364 mm is 4047 × 5732 pixels), and one side of a parcel measured in pixels: a
// 20.000 m side at 1/250 is 80.0 mm, 1259.84 pixels at 400 dpi (within 0.5 %).
TEST(SurveyMapOutput, TiffIsTheRegistersImage) {
    test::TempDir dir;
    XyzList list;
    list.ReplaceAll({{"", "A", "-35000.000", "-8000.000", "", Jp("鋲"), ""},
                     {"", "B", "-34980.000", "-8000.000", "", "", ""},
                     {"", "C", "-34980.000", "-7980.000", "", "", ""},
                     {"", "D", "-35000.000", "-7980.000", "", "", ""}});
    BlockList blocks;
    blocks.Add(Block{"5", "A,B,C,D,A", 5, 0, 0});
    WriteXyzFile(dir.File("s.Xyz"), list);
    WriteBlkFile(dir.File("s.Blk"), blocks);
    ShellRun run = Shell(std::string(VEMO_CLI_PATH) + " survey-map " + dir.File("s.Xyz") + " " + dir.File("s.Blk") +
                         " --parcel 5 --zone 9 --scale 250 --tiff " + dir.File("s.tif"));
    ASSERT_EQ(run.status, 3) << run.out;
    TIFF* tiff = TIFFOpen(dir.File("s.tif").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, samples = 0, compression = 0, unit = 0, photometric = 0;
    float xResolution = 0, yResolution = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &xResolution);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &yResolution);
    EXPECT_EQ(width, 4047u);
    EXPECT_EQ(height, 5732u);
    EXPECT_EQ(bits, 1);
    EXPECT_EQ(samples, 1);
    EXPECT_EQ(compression, COMPRESSION_CCITTFAX4);
    EXPECT_EQ(unit, RESUNIT_INCH);
    EXPECT_FLOAT_EQ(xResolution, 400);
    EXPECT_FLOAT_EQ(yResolution, 400);
    // The row through the middle of the parcel, decoded; black is 1 under WhiteIsZero.
    SurveyMapModel model = BuildSurveyMapModel(list, blocks, {{"5"}, {}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {250, PaperSize::B4, false});
    const double pixelsPerMm = 400 / 25.4;
    PaperPoint west = layout.transform.ToPaper({-34985.0, -8000}), east = layout.transform.ToPaper({-34985.0, -7980});
    std::vector<uint8_t> row(static_cast<size_t>(TIFFScanlineSize(tiff)));
    auto y = static_cast<uint32_t>(west.y * pixelsPerMm);
    for (uint32_t r = 0; r <= y; ++r) { // Group 4 decodes from the top
        ASSERT_EQ(TIFFReadScanline(tiff, row.data(), r, 0), 1);
    }
    TIFFClose(tiff);
    auto black = [&](int x) {
        bool set = (row[static_cast<size_t>(x) / 8] >> (7 - x % 8)) & 1;
        return photometric == PHOTOMETRIC_MINISWHITE ? set : !set;
    };
    auto lineCentre = [&](double expectedMm) {
        double sum = 0;
        int count = 0;
        for (int x = static_cast<int>((expectedMm - 2) * pixelsPerMm);
             x <= static_cast<int>((expectedMm + 2) * pixelsPerMm); ++x) {
            if (black(x)) {
                sum += x + 0.5;
                ++count;
            }
        }
        EXPECT_GT(count, 0) << "no line near " << expectedMm << " mm";
        return sum / std::max(count, 1);
    };
    double measured = lineCentre(east.x) - lineCentre(west.x);
    EXPECT_NEAR(measured, 20.0 * 1000 / 250 * pixelsPerMm, 20.0 * 1000 / 250 * pixelsPerMm * 0.005);
    if (Shell("command -v tiffinfo").status == 0) {
        std::string info = Shell("tiffinfo " + dir.File("s.tif")).out;
        EXPECT_NE(info.find("CCITT Group 4"), std::string::npos) << info;
        EXPECT_NE(info.find("Resolution: 400, 400 pixels/inch"), std::string::npos) << info;
    }
}

} // namespace
} // namespace vemo::surveymap
