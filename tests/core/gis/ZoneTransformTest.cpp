#include "core/gis/Dms.h"
#include "core/gis/DxfCodePage.h"
#include "core/gis/PlaneZones.h"
#include "core/gis/SiteZone.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vemo::gis {
namespace {

constexpr double kDegreeTolerance = 1e-9; // about 0.1 mm on the ground

double Degrees(int d, int m, double s = 0) {
    return d + m / 60.0 + s / 3600.0;
}

// The origin of every zone is X = 0, Y = 0 at the latitude and longitude of the zone's definition
// (the public notice of the plane rectangular coordinate system).  A zone mapped to the wrong EPSG code
// or a swapped axis order puts the origin elsewhere.
TEST(ZoneTransform, ZoneOriginsAreTheDefinedLatitudeAndLongitude) {
    struct Case {
        int zone;
        double lat;
        double lon;
    };
    const Case cases[] = {
        {1, 33, Degrees(129, 30)},
        {3, 36, Degrees(132, 10)},
        {9, 36, Degrees(139, 50)},
        {10, 40, Degrees(140, 50)},
        {11, 44, Degrees(140, 15)},
        {15, 26, Degrees(127, 30)},
        {18, 20, 136},
        {19, 26, 154},
    };
    for (const Case& c : cases) {
        for (Datum datum : {Datum::Jgd2011, Datum::Jgd2000}) {
            ZoneTransform transform({c.zone, datum});
            LatLon origin = transform.ToGeographic({0, 0});
            EXPECT_NEAR(origin.lat, c.lat, kDegreeTolerance) << "zone " << c.zone;
            EXPECT_NEAR(origin.lon, c.lon, kDegreeTolerance) << "zone " << c.zone;
        }
    }
}

// Published example: the Geospatial Information Authority of Japan's web calculation
// "平面直角座標への換算" (https://vldb.gsi.go.jp/sokuchi/surveycalc/surveycalc/bl2xyh.html) turns
// 35.699202942274219° N, 139.75777911599519° E in zone IX into X = -33369.3352 m, Y = -6837.3391 m,
// as quoted in the comparison at https://blog.dpto.jp/gis/xy/.  Both signs and magnitudes differ, so a
// swap of X and Y or of latitude and longitude fails here.
TEST(ZoneTransform, MatchesPublishedConversionInZoneNine) {
    ZoneTransform transform({9, Datum::Jgd2011});
    PlaneXY plane = transform.ToPlane({35.699202942274219, 139.75777911599519});
    EXPECT_NEAR(plane.x, -33369.3352, 0.0006);
    EXPECT_NEAR(plane.y, -6837.3391, 0.0006);
    LatLon back = transform.ToGeographic({-33369.3352, -6837.3391});
    EXPECT_NEAR(back.lat, 35.699202942274219, 1e-8);
    EXPECT_NEAR(back.lon, 139.75777911599519, 1e-8);
}

TEST(ZoneTransform, PlaneToGeographicAndBackWithinATenthOfAMillimetre) {
    const PlaneXY points[] = {{0, 0}, {-33369.335, -6837.339}, {123456.789, -98765.432}, {-250000.001, 150000.5}};
    for (int zone : {1, 9, 12, 19}) {
        ZoneTransform transform({zone, Datum::Jgd2011});
        for (PlaneXY p : points) {
            PlaneXY back = transform.ToPlane(transform.ToGeographic(p));
            EXPECT_NEAR(back.x, p.x, 1e-4) << "zone " << zone;
            EXPECT_NEAR(back.y, p.y, 1e-4) << "zone " << zone;
        }
    }
}

TEST(ZoneTransform, UnknownZoneIsRefused) {
    for (int zone : {0, 20, -9}) {
        EXPECT_THROW(ZoneTransform({zone, Datum::Jgd2011}), Error);
    }
    EXPECT_EQ(ZoneEpsg({9, Datum::Jgd2011}), 6677);
    EXPECT_EQ(ZoneEpsg({9, Datum::Jgd2000}), 2451);
}

// Degrees, minutes and seconds: the seconds are rounded once on the whole angle (so they never show
// 60), and typed angles in either notation read back to the same value.
TEST(Dms, FormatsAndParsesAngles) {
    struct Case {
        double degrees;
        const char* shown;
    };
    const Case cases[] = {
        {36, "36°00′00.0000″"},
        {Degrees(139, 50), "139°50′00.0000″"},
        {35.699202942274219, "35°41′57.1306″"}, // 0.699202942 * 3600 = 2517.1306″
        {Degrees(35, 59, 59.99996), "36°00′00.0000″"},
        {-Degrees(0, 30, 1.5), "-0°30′01.5000″"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(FormatDms(c.degrees)), c.shown);
    }
    EXPECT_NEAR(*ParseAngle(Jp("35°41′57.1306″")), Degrees(35, 41, 57.1306), 1e-12);
    EXPECT_NEAR(*ParseAngle("139 50 0"), Degrees(139, 50), 1e-12);
    EXPECT_NEAR(*ParseAngle("-0 30 1.5"), -Degrees(0, 30, 1.5), 1e-12);
    EXPECT_NEAR(*ParseAngle(" 35.6992 "), 35.6992, 1e-12);
    for (const char* bad : {"", "35 60 0", "35 10 60", "abc", "1 2 3 4"}) {
        EXPECT_FALSE(ParseAngle(bad).has_value()) << bad;
    }
    EXPECT_EQ(FormatDecimalDegrees(35.699202942274219), "35.699202942");
}

// The zone a site was exported in is remembered per folder; a damaged memory file means "ask again",
// never a wrong zone.
TEST(SiteZone, RemembersTheZonePerFolder) {
    test::TempDir site;
    EXPECT_FALSE(ReadSiteZone(site.Path()).has_value());
    WriteSiteZone(site.Path(), {12, Datum::Jgd2000});
    std::optional<ZoneChoice> read = ReadSiteZone(site.Path());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->zone, 12);
    EXPECT_EQ(read->datum, Datum::Jgd2000);
    EXPECT_THROW(WriteSiteZone(site.Path(), {20, Datum::Jgd2011}), Error);
    for (const char* damaged : {"Zone=25\r\n", "Zone=9\r\nDatum=Tokyo\r\n", "garbage"}) {
        test::WriteBytes(site.File(kSiteZoneFileName), damaged);
        EXPECT_FALSE(ReadSiteZone(site.Path()).has_value()) << damaged;
    }
}

} // namespace
} // namespace vemo::gis

namespace vemo::gis {
namespace {

// Text values (group code 1) of a drawing declared ANSI_932 become Shift-JIS; nothing else changes.
TEST(DxfCodePage, RecodesTextValuesOnly) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"  1\n\\U+70b92\n", "  1\n" + Jp("点2") + "\n"},                   // escape to CP932
        {"  1\r\n\\U+753B\\U+5730\r\n", "  1\r\n" + Jp("画地") + "\r\n"},   // upper-case hex, CR LF kept
        {"  1\n\xb0\n", "  1\n" + Jp("°") + "\n"},                          // a raw Latin-1 byte
        {"  1\nA\\\\U+70b9\n", "  1\nA\\\\U+70b9\n"},                       // a literal backslash, not an escape
        {"  1\n\\U+00e9\n", "  1\n\\U+00E9\n"},                             // no CP932 form: stays escaped
        {"  8\n\\U+70b9\n  1\nAB\n", "  8\n\\U+70b9\n  1\nAB\n"},           // a layer value is left alone
        {"  1\n  1\n  1\n\\U+70b9\n", "  1\n  1\n  1\n" + Jp("点") + "\n"}, // a value "1" is not a code
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecodeDxfTextsToCp932(c.in), c.out) << c.in;
    }
}

} // namespace
} // namespace vemo::gis
