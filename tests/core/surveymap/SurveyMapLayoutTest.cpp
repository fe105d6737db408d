// The survey map's layout: labels that never cover each other or a line, the scale check, the model's
// refusals.
#include "core/surveymap/SurveyMapLayout.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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
    SurveyMapLayout layout = LayOutSurveyMap(model, {});
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

TEST(SurveyMapLayout, TrueScaleAndTheLargestScaleThatFits) {
    Site site;
    // 100 m east-west, 60 m north-south.  The drawing part of an A3 landscape sheet is 232 mm × 277 mm
    // and keeps 18 mm each side for the labels: 1/500 needs 200 + 36 mm, 1/600 needs 166.7 + 36 mm.
    site.Point("A", -35000, -8000, Jp("コンクリート杭"));
    site.Point("B", -34940, -8000);
    site.Point("C", -34940, -7900);
    site.Point("D", -35000, -7900);
    site.Parcel("7", {"A", "B", "C", "D"});
    site.Done();
    SurveyMapModel model = BuildSurveyMapModel(site.list, site.blocks, {{"7"}, {}, 9}, {});
    SurveyMapLayout layout = LayOutSurveyMap(model, {});
    EXPECT_EQ(layout.fittingScale, 600);
    ASSERT_FALSE(layout.warnings.empty());
    EXPECT_EQ(Cp932ToUtf8(layout.warnings.front()),
              "縮尺 1/250 では図面が用紙に収まりません。収まる最大の縮尺は 1/600 です。");
    // 100 m at 1/600 is 166.667 mm on the sheet.
    layout = LayOutSurveyMap(model, {600, PaperSize::A3, true});
    PaperPoint a = layout.transform.ToPaper({-35000, -8000}), d = layout.transform.ToPaper({-35000, -7900});
    EXPECT_NEAR(d.x - a.x, 166.667, 0.001);
    EXPECT_TRUE(layout.warnings.empty() || layout.warnings.front().find(Jp("収まりません")) == std::string::npos);
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
