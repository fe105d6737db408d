#include "core/gis/GisExport.h"
#include "core/gis/PlaneZones.h"
#include "core/store/BlockList.h"
#include "core/store/CommaList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gdal_priv.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace vemo::gis {
namespace {

using ::testing::HasSubstr;

std::string RunCommand(const std::string& command) {
    return test::RunShell(command + " 2>&1").out;
}

// A right triangle with legs of 10 m in zone IX (area 50 m², 坪数 50 × 0.3025 = 15.125, truncated
// 15.12), a point without coordinates filled in, and a parcel naming a point that does not exist.
struct Site {
    XyzList list;
    BlockList blocks;
    Site() {
        list.ReplaceAll({
            {"", "A1", "-33369.335", "-6837.339", "12.5", Jp("杭"), Jp("備考1")},
            {"", Jp("点2"), "-33359.335", "-6837.339", "", Jp("鋲"), ""},
            {"", "3", "-33359.335", "-6827.339", "", "", ""},
            {"", "X0", "0.000", "0.000", "", "", ""},
        });
        blocks.Add({Jp("画地1"), Jp("A1,点2,3,A1"), 4, 0, 0});
        blocks.Add({Jp("欠け"), "A1,ZZ,3,A1", 4, 0, 0});
    }
};

constexpr ZoneChoice kZoneNine{9, Datum::Jgd2011};

// Read by ezdxf, which knows nothing of GDAL: the code page, the layers, every entity with its layer,
// text and drawing coordinates (x = Y east, y = X north).  A swapped axis, a lost closing flag, a name
// garbled by the code page or a missing label fails here.
TEST(GisExport, DxfReadsBackInAnIndependentReader) {
    test::TempDir dir;
    Site site;
    ExportSummary summary = ExportSite(site.list, site.blocks, kZoneNine, dir.File("site.dxf"));
    EXPECT_EQ(summary.pointsWritten, 3);
    EXPECT_EQ(summary.pointsLeftOut, 1);
    EXPECT_EQ(summary.parcelsWritten, 1);
    EXPECT_EQ(summary.parcelsLeftOut, 1);
    const char* script = R"(
import ezdxf, sys
d = ezdxf.readfile(sys.argv[1])
print(d.header.get('$DWGCODEPAGE'))
for e in d.modelspace():
    t = e.dxftype()
    if t == 'POINT': print(t, e.dxf.layer, '%.3f %.3f %.3f' % tuple(e.dxf.location))
    elif t in ('MTEXT', 'TEXT'): print('TEXT', e.dxf.layer, e.plain_text() if t == 'MTEXT' else e.dxf.text, '%.3f %.3f' % tuple(e.dxf.insert)[:2])
    elif t == 'LWPOLYLINE': print(t, e.dxf.layer, e.closed, ' '.join('%.3f,%.3f' % p for p in e.get_points('xy')))
    else: print(t)
)";
    test::WriteBytes(dir.File("read.py"), script);
    std::string read = RunCommand("/usr/bin/python3 " + dir.File("read.py") + " " + dir.File("site.dxf"));
    EXPECT_EQ(read, "ANSI_932\n"
                    "POINT 点名 -6837.339 -33369.335 12.500\n"
                    "TEXT 点名 A1 -6837.339 -33369.335\n"
                    "POINT 点名 -6837.339 -33359.335 0.000\n"
                    "TEXT 点名 点2 -6837.339 -33359.335\n"
                    "POINT 点名 -6827.339 -33359.335 0.000\n"
                    "TEXT 点名 3 -6827.339 -33359.335\n"
                    "LWPOLYLINE 画地 True -6837.339,-33369.335 -6837.339,-33359.335 -6827.339,-33359.335 "
                    "-6837.339,-33369.335\n"
                    "TEXT 画地 画地1 -6834.006 -33362.668\n");
}

// A random name of 1 to 16 CP932 bytes from characters that test the drawing's texts: double-byte
// characters whose second byte is a backslash (表 ソ 能), half-width kana, and the characters a CAD text
// reads as formatting (\ { } ^ and the space).  No space at either end (the list trims names).
std::string RandomName(std::mt19937& random, size_t maxBytes = 16) {
    static const std::vector<std::string> kPieces = {"A",      "z",      "7",      "-",     ".",    "%",
                                                     "\\",     "{",      "}",      "^",     " ",    Jp("表"),
                                                     Jp("ソ"), Jp("能"), Jp("点"), Jp("ｱ"), Jp("ﾃ")};
    const size_t length = std::uniform_int_distribution<size_t>(1, maxBytes)(random);
    std::string name;
    while (true) {
        const std::string& piece = kPieces[std::uniform_int_distribution<size_t>(0, kPieces.size() - 1)(random)];
        if (name.size() + piece.size() > length) {
            break;
        }
        name += piece;
    }
    if (name.empty()) {
        return "Q";
    }
    for (char* end : {&name.front(), &name.back()}) {
        *end = *end == ' ' ? 'Q' : *end;
    }
    return name;
}

struct Feature {
    std::string layer;
    std::string text;
    std::string geometry; // WKT
};

// Every entity of a drawing as GDAL's DXF reader gives it, texts in UTF-8.
std::vector<Feature> ReadWithGdal(const std::string& path) {
    GDALAllRegister();
    const char* const drivers[] = {"DXF", nullptr};
    std::unique_ptr<GDALDataset> dataset(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
    std::vector<Feature> features;
    if (!dataset) {
        return features;
    }
    for (OGRLayer* layer : dataset->GetLayers()) {
        for (auto& feature : *layer) {
            const int text = feature->GetFieldIndex("Text");
            OGRGeometry* geometry = feature->GetGeometryRef();
            features.push_back({feature->GetFieldAsString("Layer"),
                                text >= 0 && feature->IsFieldSet(text) ? feature->GetFieldAsString(text) : "",
                                geometry != nullptr ? geometry->exportToWkt() : ""});
        }
    }
    return features;
}

// Millimetres as GDAL's WKT writes a coordinate (at most 15 significant digits, no trailing zeros).
std::string Metres(long long millimetres) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(millimetres) / 1000);
    return text;
}

// Random sites anywhere in a zone (±300 km, with heights or without) read back through GDAL's own DXF
// reader, which shares nothing with the writer: every point is a POINT and its name, every parcel a
// closed outline of its vertices and its name at the mean of its corners, the texts exactly the names.
TEST(GisExport, RandomSitesReadBackFromTheDrawingThroughGdal) {
    std::mt19937 random(37);
    std::uniform_int_distribution<long long> coordinate(-300'000'000, 300'000'000);
    for (int round = 0; round < 6; ++round) {
        test::TempDir dir;
        struct Expected {
            std::string name;
            long long x, y; // north, east (mm)
            std::optional<long long> z;
        };
        std::vector<Expected> points;
        std::vector<XyzRow> rows;
        for (int i = 0; i < 60; ++i) {
            Expected p{RandomName(random, 14) + std::to_string(i), coordinate(random), coordinate(random),
                       std::nullopt};
            if (i % 3 != 0) {
                p.z = coordinate(random) / 1000;
            }
            rows.push_back({"", p.name, Metres(p.x), Metres(p.y), p.z ? Metres(*p.z) : "", "", ""});
            points.push_back(p);
        }
        XyzList list;
        list.ReplaceAll(std::move(rows));
        BlockList blocks;
        std::vector<std::pair<std::string, std::vector<int>>> parcels;
        // A parcel's vertex list separates names by blanks too: its vertices are points without one.
        int next = 0;
        for (int b = 0; b < 5; ++b) {
            std::vector<int> ring;
            std::vector<std::string> vertices;
            for (; static_cast<int>(ring.size()) < 3 + b; ++next) {
                if (points[static_cast<size_t>(next)].name.find(' ') == std::string::npos) {
                    ring.push_back(next);
                    vertices.push_back(points[static_cast<size_t>(next)].name);
                }
            }
            vertices.push_back(vertices.front());
            const std::string name = RandomName(random);
            blocks.Add({name, EncodeCommaList(vertices), static_cast<int>(vertices.size()), 0, 0});
            parcels.push_back({name, ring});
        }
        const ExportSummary summary = ExportSite(list, blocks, kZoneNine, dir.File("site.dxf"));
        ASSERT_EQ(summary.pointsWritten, static_cast<int>(points.size())) << "round " << round;
        ASSERT_EQ(summary.parcelsWritten, static_cast<int>(parcels.size())) << "round " << round;
        const std::vector<Feature> read = ReadWithGdal(dir.File("site.dxf"));
        ASSERT_EQ(read.size(), 2 * (points.size() + parcels.size())) << "round " << round;
        size_t at = 0;
        for (const Expected& p : points) {
            const std::string name = Cp932ToUtf8(p.name);
            const std::string xy = Metres(p.y) + " " + Metres(p.x);
            EXPECT_EQ(read[at].layer, "点名");
            EXPECT_EQ(read[at].geometry, "POINT (" + xy + (p.z ? " " + Metres(*p.z) : "") + ")") << name;
            EXPECT_EQ(read[at + 1].layer, "点名");
            EXPECT_EQ(read[at + 1].text, name);
            EXPECT_EQ(read[at + 1].geometry, "POINT (" + xy + ")") << name;
            at += 2;
        }
        for (const auto& [name, ring] : parcels) {
            std::string outline;
            double north = 0;
            double east = 0;
            for (int v : ring) {
                const Expected& p = points[static_cast<size_t>(v)];
                outline += Metres(p.y) + " " + Metres(p.x) + ",";
                north += static_cast<double>(p.x) / 1000 / static_cast<double>(ring.size());
                east += static_cast<double>(p.y) / 1000 / static_cast<double>(ring.size());
            }
            const Expected& first = points[static_cast<size_t>(ring.front())];
            outline += Metres(first.y) + " " + Metres(first.x);
            EXPECT_EQ(read[at].layer, "画地");
            EXPECT_EQ(read[at].geometry, "LINESTRING (" + outline + ")") << Cp932ToUtf8(name);
            EXPECT_EQ(read[at + 1].text, Cp932ToUtf8(name));
            double labelEast = 0;
            double labelNorth = 0;
            ASSERT_EQ(std::sscanf(read[at + 1].geometry.c_str(), "POINT (%lf %lf)", &labelEast, &labelNorth), 2)
                << read[at + 1].geometry;
            EXPECT_NEAR(labelEast, east, 1e-6) << Cp932ToUtf8(name);
            EXPECT_NEAR(labelNorth, north, 1e-6) << Cp932ToUtf8(name);
            at += 2;
        }
    }
}

// GeoPackage and Shapefile as ogrinfo reads them: the zone's CRS with its EPSG code, the attributes
// in UTF-8, the areas, and the geometry stored east before north as GIS files hold it.
TEST(GisExport, GeoPackageAndShapefileCarryTheZoneAndTheAttributes) {
    test::TempDir dir;
    Site site;
    for (const char* name : {"site.gpkg", "site.shp"}) {
        ExportSite(site.list, site.blocks, kZoneNine, dir.File(name));
        std::string parcelsLayer = std::string(name) == "site.gpkg" ? "parcels" : "site_parcels";
        std::string target = std::string(name) == "site.gpkg" ? dir.File(name) : dir.Str();
        std::string points =
            RunCommand("ogrinfo -ro " + target + " " + (parcelsLayer == "parcels" ? "points" : "site"));
        EXPECT_THAT(points, HasSubstr("JGD2011 / Japan Plane Rectangular CS IX")) << name;
        EXPECT_THAT(points, HasSubstr("ID[\"EPSG\",6677]")) << name;
        EXPECT_THAT(points, HasSubstr("Feature Count: 3")) << name;
        EXPECT_THAT(points, HasSubstr("点名 (String) = 点2")) << name;
        EXPECT_THAT(points, HasSubstr("点種 (String) = 杭")) << name;
        EXPECT_THAT(points, HasSubstr("備考 (String) = 備考1")) << name;
        EXPECT_THAT(points, HasSubstr("Z (Real) = 12.5")) << name;
        EXPECT_THAT(points, HasSubstr("POINT Z (-6837.339 -33369.335 12.5)")) << name;
        std::string parcels = RunCommand("ogrinfo -ro " + target + " " + parcelsLayer);
        EXPECT_THAT(parcels, HasSubstr("Feature Count: 1")) << name;
        EXPECT_THAT(parcels, HasSubstr("画地名 (String) = 画地1")) << name;
        EXPECT_THAT(parcels, HasSubstr("面積 (Real) = 50")) << name;
        EXPECT_THAT(parcels, HasSubstr("地積 (Real) = 50")) << name;
        EXPECT_THAT(parcels, HasSubstr("坪数 (Real) = 15.12")) << name;
    }
}

// The first placemark of the KML is the published zone IX example (35.699202942° N,
// 139.757779116° E for X = -33369.3352, Y = -6837.3391), written longitude first as KML requires.
TEST(GisExport, KmlHoldsLongitudeAndLatitude) {
    test::TempDir dir;
    Site site;
    ExportSite(site.list, site.blocks, kZoneNine, dir.File("site.kml"));
    std::string kml = test::ReadBytes(dir.File("site.kml"));
    size_t at = kml.find("<coordinates>");
    ASSERT_NE(at, std::string::npos);
    double lon = 0;
    double lat = 0;
    ASSERT_EQ(std::sscanf(kml.c_str() + at, "<coordinates>%lf,%lf", &lon, &lat), 2);
    EXPECT_NEAR(lon, 139.757779116, 2e-8); // 0.4 mm of rounding in the example's X, Y at most
    EXPECT_NEAR(lat, 35.699202942, 2e-8);
    EXPECT_THAT(kml, HasSubstr("<name>点2</name>"));
}

// Refused exports throw a clear message and leave the earlier file of that name untouched.
TEST(GisExport, RefusedExportsKeepTheEarlierFile) {
    test::TempDir dir;
    Site site;
    test::WriteBytes(dir.File("site.gpkg"), "earlier");
    struct Case {
        ZoneChoice zone;
        std::string target;
        const char* message;
    };
    const Case cases[] = {
        {{20, Datum::Jgd2011}, dir.File("site.gpkg"), "座標系の番号 20"},
        {kZoneNine, dir.File("site.xls"), "出力形式が分かりません"},
        {kZoneNine, dir.File("missing/site.gpkg"), "書き込めません"},
    };
    for (const Case& c : cases) {
        try {
            ExportSite(site.list, site.blocks, c.zone, c.target);
            ADD_FAILURE() << c.target << " was written";
        } catch (const Error& e) {
            EXPECT_THAT(Cp932ToUtf8(e.what()), HasSubstr(c.message));
        }
    }
    EXPECT_EQ(test::ReadBytes(dir.File("site.gpkg")), "earlier");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
}

} // namespace
} // namespace vemo::gis
