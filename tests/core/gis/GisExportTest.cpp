#include "core/gis/GisExport.h"
#include "core/gis/PlaneZones.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
