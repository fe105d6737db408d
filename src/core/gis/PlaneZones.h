#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vemo::gis {

// The geodetic datum the plane rectangular coordinates of a site refer to.  New surveys are on JGD2011;
// JGD2000 is kept for older site data that was never recomputed after the 2011 earthquake.
enum class Datum { Jgd2011, Jgd2000 };

// A plane rectangular zone (系 I .. XIX) on a datum.
struct ZoneChoice {
    int zone = 0; // 1 .. 19
    Datum datum = Datum::Jgd2011;
};

constexpr int kZoneCount = 19;

// EPSG code of a zone's projected CRS: JGD2011 6669 .. 6687, JGD2000 2443 .. 2461.  Throws vemo::Error
// "座標系の番号 N は 1 から 19 ではありません" for a zone outside 1 .. 19.
int ZoneEpsg(const ZoneChoice& choice);
// EPSG code of the datum's geographic CRS (JGD2011 6668, JGD2000 4612).
int GeographicEpsg(Datum datum);

// Roman numeral of a zone as surveyors write it ("IX"); "?" outside 1 .. 19.
std::string ZoneNumeral(int zone);
// "JGD2011" / "JGD2000", and back (nothing for anything else).
const char* DatumName(Datum datum);
bool ParseDatum(std::string_view text, Datum& datum);

// Latitude and longitude in decimal degrees, north and east positive.
struct LatLon {
    double lat = 0;
    double lon = 0;
};

// Plane coordinates in metres: X north, Y east, as everywhere in this program.
struct PlaneXY {
    double x = 0;
    double y = 0;
};

// Conversion between one zone's plane coordinates and latitude/longitude on the same datum (a pure
// Gauss-Krüger projection, no datum shift).  Both directions keep the authority axis order of the
// EPSG definitions (northing before easting, latitude before longitude), set explicitly so that no
// library default can swap X and Y and put the site in the sea.
class ZoneTransform {
public:
    explicit ZoneTransform(const ZoneChoice& choice);
    ~ZoneTransform();
    ZoneTransform(const ZoneTransform&) = delete;
    ZoneTransform& operator=(const ZoneTransform&) = delete;

    LatLon ToGeographic(PlaneXY plane) const;
    PlaneXY ToPlane(LatLon geographic) const;
    const ZoneChoice& Choice() const { return choice_; }

private:
    struct Impl;
    ZoneChoice choice_;
    std::unique_ptr<Impl> impl_;
};

} // namespace vemo::gis
