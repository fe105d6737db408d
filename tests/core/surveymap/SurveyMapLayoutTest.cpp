// The survey map's layout: labels that never cover each other or a line, the scale check, the model's
// refusals.
#include "core/surveymap/SurveyMapLayout.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/surveymap/SiteSurveyInfo.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace vemo::surveymap {
namespace {

struct Site {
    XyzList list;
    BlockList blocks;
    std::vector<XyzRow> rows;

    void Point(const std::string& name, double x, double y, const std::string& kind = "") {
        rows.push_back(XyzRow{"", name, Sprintf("%.3f", x), Sprintf("%.3f", y), "", kind, ""});
    }
    void Parcel(const std::string& name, const std::vector<std::string>& ring) {
        std::string list;
        for (const std::string& vertex : ring) {
            list += vertex + ",";
        }
        blocks.Add(Block{name, list + ring.front() + ",", 0, 0, 0});
    }
    void Done() { list.ReplaceAll(rows); }
};

// A 40-point parcel about 24 m across in zone IX (sides of 1.5 to 2.5 m: 6 to 10 mm at 1/250, about
// the length of their own distance labels) with four adjacent parcels, each sharing ten of its points.
Site CrowdedSite() {
    Site site;
    const char* kinds[] = {"コンクリート杭", "金属標", "石杭", "プラスチック杭", "鋲", ""};
    std::vector<std::string> ring;
    for (int k = 0; k < 40; ++k) {
        double a = 2 * std::numbers::pi * k / 40;
        double r = 12.0 + 1.5 * std::sin(7.0 * a) + 0.6 * std::cos(13.0 * a);
        std::string name = "K" + std::to_string(k + 1);
        site.Point(name, -35000.0 + r * std::cos(a), -8000.0 + r * std::sin(a), Jp(kinds[k % 6]));
        ring.push_back(name);
    }
    site.Parcel("1", ring);
    for (int q = 0; q < 4; ++q) {
        std::vector<std::string> adjacent;
        for (int k = q * 10; k <= q * 10 + 10; ++k) {
            adjacent.push_back(ring[k % 40]);
        }
        for (int j : {1, 0}) {
            double a = 2 * std::numbers::pi * (q * 10 + j * 10) / 40;
            std::string name = "Q" + std::to_string(q) + std::to_string(j);
            site.Point(name, -35000.0 + 30 * std::cos(a), -8000.0 + 30 * std::sin(a), Jp("コンクリート杭"));
            adjacent.push_back(name);
        }
        site.Parcel(std::to_string(q + 2), {adjacent.rbegin(), adjacent.rend()});
    }
    site.Done();
    return site;
}

// The oracle: corners and inside tests written out here, and sampling rather than separating axes.
std::vector<std::pair<double, double>> Corners(const PaperBox& b) {
    double a = b.angleDeg * std::numbers::pi / 180;
    double ux = std::cos(a), uy = -std::sin(a);
    std::vector<std::pair<double, double>> corners;
    for (auto [s, t] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        corners.push_back({b.centre.x + s * b.halfWidth * ux - t * b.halfHeight * uy,
                           b.centre.y + s * b.halfWidth * uy + t * b.halfHeight * ux});
    }
    return corners;
}

bool StrictlyInside(double x, double y, const PaperBox& b) {
    auto c = Corners(b);
    for (size_t i = 0; i < 4; ++i) {
        auto [x0, y0] = c[i];
        auto [x1, y1] = c[(i + 1) % 4];
        auto [x2, y2] = c[(i + 2) % 4];
        double side = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
        double inner = (x1 - x0) * (y2 - y0) - (y1 - y0) * (x2 - x0);
        if (side * inner <= 1e-6) {
            return false;
        }
    }
    return true;
}

bool SampledOverlap(const PaperBox& a, const PaperBox& b) {
    auto c = Corners(a);
    for (int i = 0; i <= 8; ++i) {
        for (int j = 0; j <= 8; ++j) {
            double s = 0.02 + 0.96 * i / 8, t = 0.02 + 0.96 * j / 8;
            double x = c[0].first + s * (c[1].first - c[0].first) + t * (c[3].first - c[0].first);
            double y = c[0].second + s * (c[1].second - c[0].second) + t * (c[3].second - c[0].second);
            if (StrictlyInside(x, y, b)) {
                return true;
            }
        }
    }
    return false;
}

bool IsLabel(MapLayer layer) {
    return layer == MapLayer::PointName || layer == MapLayer::Distance || layer == MapLayer::ParcelNumber;
}

TEST(SurveyMapLayout, CrowdedParcelLabelsCoverNothing) {
    Site site = CrowdedSite();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"1"}, {"2", "3", "4", "5"}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {250, PaperSize::A3, true});
    EXPECT_EQ(layout.unplacedLabels, 0);
    std::vector<const MapText*> labels;
    for (const MapText& text : layout.texts) {
        if (IsLabel(text.layer)) {
            labels.push_back(&text);
        }
    }
    // 44 names, 40 distances, 5 地番 (no 地目 stated).
    ASSERT_EQ(labels.size(), 89u);
    for (size_t i = 0; i < labels.size(); ++i) {
        for (size_t j = i + 1; j < labels.size(); ++j) {
            EXPECT_FALSE(SampledOverlap(labels[i]->box, labels[j]->box) ||
                         SampledOverlap(labels[j]->box, labels[i]->box))
                << Cp932ToUtf8(labels[i]->text) << " / " << Cp932ToUtf8(labels[j]->text);
        }
    }
    for (const MapLine& line : layout.lines) {
        for (size_t n = 0; n + 1 < line.points.size() + (line.closed ? 1 : 0); ++n) {
            PaperPoint p = line.points[n], q = line.points[(n + 1) % line.points.size()];
            for (double t = 0; t <= 1.0; t += 0.01) {
                for (const MapText* label : labels) {
                    EXPECT_FALSE(StrictlyInside(p.x + t * (q.x - p.x), p.y + t * (q.y - p.y), label->box))
                        << "a line crosses " << Cp932ToUtf8(label->text);
                }
            }
        }
    }
    for (const MapMarker& marker : layout.markers) {
        PaperBox symbol{marker.at, marker.sizeMm / 2, marker.sizeMm / 2, 0};
        for (const MapText* label : labels) {
            EXPECT_FALSE(SampledOverlap(symbol, label->box)) << "a symbol under " << Cp932ToUtf8(label->text);
        }
    }
}

std::string RefusalOf(const SurveyMapModel& model, const SurveyMapOptions& options) {
    try {
        LayOutSurveyMap(model, options);
    } catch (const Error& e) {
        return Cp932ToUtf8(e.what());
    }
    return "drawn";
}

TEST(SurveyMapLayout, TrueScaleAndTheLargestScaleThatFits) {
    // 100 m east-west, 60 m north-south.  The drawing part of a B4 portrait sheet is 237 mm × 172 mm
    // and keeps 18 mm each side for the labels, leaving 201 mm × 136 mm: 100 m needs 1/498 or smaller,
    // 60 m 1/442 or smaller, so 1/500 is the largest scale of the list that fits.
    Site site;
    site.Point("A", -35000, -8000, Jp("コンクリート杭"));
    site.Point("B", -34940, -8000);
    site.Point("C", -34940, -7900);
    site.Point("D", -35000, -7900);
    site.Parcel("7", {"A", "B", "C", "D"});
    site.Done();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"7"}, {}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {});
    EXPECT_EQ(layout.scale, 500);
    EXPECT_EQ(layout.widthMm, 257);
    EXPECT_EQ(layout.heightMm, 364);
    // 100 m at 1/500 is 200.000 mm on the sheet.
    PaperPoint a = layout.transform.ToPaper({-35000, -8000}), d = layout.transform.ToPaper({-35000, -7900});
    EXPECT_NEAR(d.x - a.x, 200.0, 0.001);
    // Asked for 1/250 it is refused, naming the scale that fits; never drawn clipped.
    EXPECT_EQ(RefusalOf(model, {250, PaperSize::B4, false}),
              "縮尺 1/250 では対象の画地が用紙に収まりません。収まる縮尺は 1/500 です。");
    // A 300 m lot: 300,000 mm / 201 mm needs 1/1493 or smaller: 1/1500 (1/1000 would clip it).
    Site lot;
    lot.Point("A", -35000, -8000);
    lot.Point("B", -34950, -8000);
    lot.Point("C", -34950, -7700);
    lot.Parcel("8", {"A", "B", "C"});
    lot.Done();
    SurveyMapModel large = BuildSurveyMapModel(lot.list, lot.blocks, {{"8"}, {}, 9}, {});
    EXPECT_EQ(LayOutSurveyMap(large, {}).scale, 1500);
    EXPECT_EQ(RefusalOf(large, {1000, PaperSize::B4, false}),
              "縮尺 1/1000 では対象の画地が用紙に収まりません。収まる縮尺は 1/1500 です。");
}

// Over many parcels of every size and shape up to 300 m across (120 mm at 1/2500, which any B4 drawing
// holds): the scale chosen shows every corner of the subject parcel on the sheet, its boundary is one
// closed line (never cut at the frame), and the next larger scale of the list is refused, so no larger
// one would have done.  A parcel 2 km long fits no scale and is refused.
TEST(SurveyMapLayout, ChosenScaleAlwaysShowsTheParcelWhole) {
    std::mt19937 random(39);
    std::uniform_real_distribution<double> size(3.0, 280.0), turn(0.0, 2 * std::numbers::pi);
    const std::vector<int> scales{100, 200, 250, 300, 500, 600, 1000, 1500, 2000, 2500}; // 77条2項
    for (int trial = 0; trial < 200; ++trial) {
        Site site;
        double length = size(random), width = size(random) / 3, angle = turn(random);
        double x0 = -35000 + trial, y0 = -8000 - trial;
        auto corner = [&](double u, double v) {
            return std::pair{x0 + u * std::cos(angle) - v * std::sin(angle),
                             y0 + u * std::sin(angle) + v * std::cos(angle)};
        };
        std::vector<std::string> ring;
        for (auto [u, v] :
             {std::pair{0.0, 0.0}, {length, 0.0}, {length, width}, {length / 2, width * 1.4}, {0.0, width}}) {
            auto [x, y] = corner(u, v);
            std::string name = "P" + std::to_string(ring.size() + 1);
            site.Point(name, x, y);
            ring.push_back(name);
        }
        site.Parcel("1", ring);
        site.Done();
        SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"1"}, {}, 9}, {});
        for (bool landscape : {false, true}) {
            SurveyMapOptions options{0, PaperSize::B4, landscape};
            SurveyMapLayout layout;
            try {
                layout = LayOutSurveyMap(model, options);
            } catch (const Error& e) {
                ADD_FAILURE() << length << " x " << width << ": " << Cp932ToUtf8(e.what());
                continue;
            }
            auto chosen = std::find(scales.begin(), scales.end(), layout.scale);
            ASSERT_NE(chosen, scales.end()) << layout.scale;
            const MapLine* boundary = nullptr;
            for (const MapLine& line : layout.lines) {
                if (line.layer == MapLayer::SubjectLine) {
                    EXPECT_EQ(boundary, nullptr) << "the boundary is drawn in pieces";
                    boundary = &line;
                }
            }
            ASSERT_NE(boundary, nullptr);
            EXPECT_TRUE(boundary->closed);
            ASSERT_EQ(boundary->points.size(), 5u);
            for (const MapPoint& point : model.points) {
                PaperPoint p = layout.transform.ToPaper(point.at);
                EXPECT_TRUE(p.x > 10 && p.x < layout.widthMm - 10 && p.y > 10 && p.y < layout.heightMm - 10)
                    << point.name << " off the sheet at 1/" << layout.scale;
            }
            if (chosen != scales.begin()) {
                options.scale = *(chosen - 1);
                EXPECT_NE(RefusalOf(model, options), "drawn") << "1/" << options.scale << " would have fitted";
            }
        }
    }
    Site huge;
    huge.Point("A", -35000, -8000);
    huge.Point("B", -33000, -8000);
    huge.Point("C", -33000, -7990);
    huge.Parcel("9", {"A", "B", "C"});
    huge.Done();
    EXPECT_EQ(RefusalOf(BuildSurveyMapModel(huge.list, huge.blocks, {{"9"}, {}, 9}, {}), {}),
              "対象の画地は 1/2500 までのどの縮尺でも用紙に収まりません。画地を分けて描いてください。");
}

// The north arrow and the scale bar stand where no boundary passes: an adjacent parcel whose sides run
// through the drawing's top-right and bottom-left corners (where they stood before) pushes them away.
TEST(SurveyMapLayout, NorthArrowAndScaleBarCrossNoBoundary) {
    Site site;
    site.Point("A", -35000, -8000);
    site.Point("B", -34970, -8000);
    site.Point("C", -34970, -7960);
    site.Point("D", -35000, -7960);
    // At 1/250 the drawing part of a B4 portrait sheet (237 mm × 172 mm) shows 59.25 m × 43 m around the
    // subject's middle (-34985, -7980).  C→G runs through its top-right corner (+21.5 m north, +29.625 m
    // east of the middle), A→E through its bottom-left one; F and H lie straight north of B and south of D.
    site.Point("E", -35032.500, -8048.125);
    site.Point("F", -34937.500, -8000.000);
    site.Point("G", -34937.500, -7911.875);
    site.Point("H", -35032.500, -7960.000);
    site.Parcel("1", {"A", "B", "C", "D"});
    site.Parcel("2", {"E", "F", "B", "A"});
    site.Parcel("3", {"F", "G", "C", "B"});
    site.Parcel("4", {"G", "H", "D", "C"});
    site.Parcel("5", {"H", "E", "A", "D"});
    site.Done();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"1"}, {"2", "3", "4", "5"}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {250, PaperSize::B4, false});
    for (MapLayer part : {MapLayer::NorthArrow, MapLayer::ScaleBar}) {
        double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
        auto add = [&](PaperPoint p) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x), minY = std::min(minY, p.y),
            maxY = std::max(maxY, p.y);
        };
        for (const MapLine& line : layout.lines) {
            if (line.layer == part) {
                std::for_each(line.points.begin(), line.points.end(), add);
            }
        }
        for (const MapText& text : layout.texts) {
            if (text.layer == part) {
                add({text.box.centre.x - text.box.halfWidth, text.box.centre.y - text.box.halfHeight});
                add({text.box.centre.x + text.box.halfWidth, text.box.centre.y + text.box.halfHeight});
            }
        }
        ASSERT_LT(minX, maxX);
        for (const MapLine& line : layout.lines) {
            if (line.layer != MapLayer::SubjectLine && line.layer != MapLayer::AdjacentLine) {
                continue;
            }
            for (size_t n = 0; n < line.points.size(); ++n) {
                PaperPoint p = line.points[n], q = line.points[(n + 1) % line.points.size()];
                for (double t = 0; t <= 1.0; t += 0.002) {
                    double x = p.x + t * (q.x - p.x), y = p.y + t * (q.y - p.y);
                    EXPECT_FALSE(x > minX && x < maxX && y > minY && y < maxY)
                        << (part == MapLayer::NorthArrow ? "north arrow" : "scale bar") << " over a boundary at " << x
                        << ", " << y;
                }
            }
        }
    }
}

// Table text never shrinks below 2 mm, the size a reviewer reads: on a draft A4 sheet the 44 points'
// tables do not fit at that size, and the sheet says the tables were cut short instead.
TEST(SurveyMapLayout, TableTextStaysReadable) {
    Site site = CrowdedSite();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"1"}, {"2", "3", "4", "5"}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {0, PaperSize::A4, false});
    int tableTexts = 0;
    for (const MapText& text : layout.texts) {
        if (text.layer == MapLayer::Table) {
            ++tableTexts;
            EXPECT_GE(text.HeightMm(), 2.0 - 1e-9) << Cp932ToUtf8(text.text);
        }
    }
    EXPECT_GT(tableTexts, 10);
    EXPECT_NE(std::find_if(layout.warnings.begin(), layout.warnings.end(),
                           [](const std::string& w) { return Cp932ToUtf8(w).starts_with("表が用紙に収まりません"); }),
              layout.warnings.end());
    // A4 is a draft's sheet, and the sheet says so among what the register would not take.
    EXPECT_EQ(Cp932ToUtf8(layout.warnings.back()), "用紙 A4 は下書き用です（登記所に出す地積測量図は B4 です）。");
}

// Figures along a side read from the bottom of the sheet or from its right, as drafting has them: two
// nearly vertical sides leaning opposite ways read the same way (bottom to top).
TEST(SurveyMapLayout, DistancesReadFromTheBottomOrTheRight) {
    Site site;
    site.Point("A", -35000.000, -8000.000);
    site.Point("B", -34980.000, -8000.300); // west side leans one way ...
    site.Point("C", -34980.000, -7985.000);
    site.Point("D", -35000.000, -7985.300); // ... east side the other
    site.Parcel("1", {"A", "B", "C", "D"});
    site.Done();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"1"}, {}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {});
    int steep = 0;
    for (const MapText& text : layout.texts) {
        if (text.layer != MapLayer::Distance) {
            continue;
        }
        double angle = text.box.angleDeg;
        // Readable from the bottom (-90, 90) or from the right (text rising, up to 90 + 30 degrees).
        EXPECT_TRUE(angle > -60.0 && angle <= 120.0) << Cp932ToUtf8(text.text) << " at " << angle;
        if (std::fabs(std::fabs(angle) - 90) < 5) {
            ++steep;
            EXPECT_GT(angle, 0) << Cp932ToUtf8(text.text) << " reads from the left";
        }
    }
    EXPECT_EQ(steep, 2);
}

// What a reviewer would refuse is listed: required title items, a 地目, a marker kind without a symbol
// (ｺﾝｸﾘｰﾄ杭 in half-width is not one: it is the concrete post), no control point.
TEST(SurveyMapLayout, MissingItemsAreListed) {
    Site site;
    site.Point("A", -35000, -8000, Jp("ｺﾝｸﾘｰﾄ杭"));
    site.Point("B", -34990, -8000, Jp("ｺﾝｸﾘｰﾄ杭"));
    site.Point("C", -34990, -7990, Jp("木製杭"));
    site.Point("D", -35000, -7990, Jp("木製杭"));
    site.Parcel("7", {"A", "B", "C", "D"});
    site.Done();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"7"}, {}, 0}, {});
    std::vector<std::string> warnings;
    for (const std::string& w : LayOutSurveyMap(model, {}).warnings) {
        warnings.push_back(Cp932ToUtf8(w));
    }
    EXPECT_EQ(warnings,
              (std::vector<std::string>{
                  "地番 7 の地目が選ばれていません。",
                  "点種「木製杭」（C など 2 点）に当てる境界標の記号がありません。記号の対応に加えてください。",
                  "基準点（測量の基礎とした点）がありません。点種か点名で選んでください。",
                  "地番区域の名称が入力されていません。",
                  "平面直角座標系の番号が分かりません（--zone か VemoZone.txt で指定してください）。",
                  "測量年月日が入力されていません。",
                  "作成年月日が入力されていません。",
                  "作成者が入力されていません。",
                  "申請人が入力されていません。",
              }));
    EXPECT_EQ(model.points[0].symbol, MarkerSymbol::Square);
}

// The drawing's 求積表: the ring rows of the area report under heads that say what each column holds,
// 倍面積, 面積 and one 地積 by 100条; no 坪数 (the client's figure).  A 20.003 m × 12.5 m 山林: 250.0375 m²,
// registered as 250.
TEST(SurveyMapLayout, AreaTableShowsTheRegisteredChiseki) {
    Site site;
    site.Point("A", -35000.000, -8000.000);
    site.Point("B", -34979.997, -8000.000);
    site.Point("C", -34979.997, -7987.500);
    site.Point("D", -35000.000, -7987.500);
    site.Parcel("7", {"A", "B", "C", "D"});
    site.Done();
    SiteSurveyInfo info;
    info.ParcelEntry("7").category = Jp("山林");
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"7"}, {}, 9}, info);
    std::string table;
    for (const std::string& line : model.parcels[0].areaTable) {
        table += Cp932ToUtf8(line) + "\n";
    }
    EXPECT_NE(table.find(" 点名                   X           Y X-X(n-1)    Y+Y(n-1)       倍面積の項    辺長\n"),
              std::string::npos)
        << table;
    EXPECT_EQ(table.find("X-Y(n-1)"), std::string::npos);
    EXPECT_EQ(table.find("坪"), std::string::npos);
    EXPECT_NE(table.find("倍面積     -500.0750000 ㎡"), std::string::npos) << table;
    EXPECT_NE(table.find("面　積      250.0375000 ㎡"), std::string::npos) << table;
    EXPECT_NE(table.find("地　積              250 ㎡\n"), std::string::npos) << table;
    // B after A: X − X(n−1) = 20.003, Y + Y(n−1) = −16000.000, their product −320048.000000.
    EXPECT_NE(table.find(" B             -34979.997   -8000.000   20.003  -16000.000   -320048.000000  20.003\n"),
              std::string::npos)
        << table;
}

TEST(SurveyMapModel, RefusesWhatALegalDrawingCannotShow) {
    Site site;
    site.Point("A", -35000, -8000);
    site.Point("B", -34990, -8000);
    site.Point("C", -34990, -7990);
    site.Parcel("1", {"A", "B", "C", "X"});
    site.Parcel("2", {"A", "B", "A"});
    site.Done();
    auto message = [&](SurveyMapRequest request) {
        try {
            BuildSurveyMapModel(site.list, site.blocks, request, {});
        } catch (const Error& e) {
            return Cp932ToUtf8(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message({{"1"}, {}, 9}), "画地「1」の点「X」が座標リストにありません");
    EXPECT_EQ(message({{"2"}, {}, 9}), "画地「2」の点が3点に足りません");
    EXPECT_EQ(message({{"9"}, {}, 9}), "画地「9」がありません");
    EXPECT_EQ(message({{}, {}, 9}), "地積測量図の対象となる画地（地番）を選んでください");
}

} // namespace
} // namespace vemo::surveymap
