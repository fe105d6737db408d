#include "core/gis/PlaneZones.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <ogr_spatialref.h>

#include <array>

namespace vemo::gis {
namespace {

constexpr int kFirstJgd2011Zone = 6669;
constexpr int kFirstJgd2000Zone = 2443;

// A spatial reference with the axis order of its EPSG definition, whatever GDAL's default.
std::unique_ptr<OGRSpatialReference> AuthorityOrdered(int epsg) {
    auto srs = std::make_unique<OGRSpatialReference>();
    if (srs->importFromEPSG(epsg) != OGRERR_NONE) {
        throw Error(msg::NoCrsDefinition(epsg));
    }
    srs->SetAxisMappingStrategy(OAMS_AUTHORITY_COMPLIANT);
    return srs;
}

} // namespace

int ZoneEpsg(const ZoneChoice& choice) {
    if (choice.zone < 1 || choice.zone > kZoneCount) {
        throw Error(msg::ZoneOutOfRange(choice.zone));
    }
    int first = choice.datum == Datum::Jgd2011 ? kFirstJgd2011Zone : kFirstJgd2000Zone;
    return first + choice.zone - 1;
}

int GeographicEpsg(Datum datum) {
    return datum == Datum::Jgd2011 ? 6668 : 4612;
}

std::string ZoneNumeral(int zone) {
    static const std::array<const char*, kZoneCount> numerals = {"I",    "II",  "III",  "IV",    "V",   "VI",   "VII",
                                                                 "VIII", "IX",  "X",    "XI",    "XII", "XIII", "XIV",
                                                                 "XV",   "XVI", "XVII", "XVIII", "XIX"};
    return zone >= 1 && zone <= kZoneCount ? numerals[zone - 1] : "?";
}

const char* DatumName(Datum datum) {
    return datum == Datum::Jgd2011 ? "JGD2011" : "JGD2000";
}

bool ParseDatum(std::string_view text, Datum& datum) {
    if (text == "JGD2011" || text == "jgd2011") {
        datum = Datum::Jgd2011;
        return true;
    }
    if (text == "JGD2000" || text == "jgd2000") {
        datum = Datum::Jgd2000;
        return true;
    }
    return false;
}

struct ZoneTransform::Impl {
    std::unique_ptr<OGRSpatialReference> plane;
    std::unique_ptr<OGRSpatialReference> geographic;
    std::unique_ptr<OGRCoordinateTransformation> toGeographic;
    std::unique_ptr<OGRCoordinateTransformation> toPlane;
};

ZoneTransform::ZoneTransform(const ZoneChoice& choice) : choice_(choice), impl_(std::make_unique<Impl>()) {
    impl_->plane = AuthorityOrdered(ZoneEpsg(choice));
    impl_->geographic = AuthorityOrdered(GeographicEpsg(choice.datum));
    impl_->toGeographic.reset(OGRCreateCoordinateTransformation(impl_->plane.get(), impl_->geographic.get()));
    impl_->toPlane.reset(OGRCreateCoordinateTransformation(impl_->geographic.get(), impl_->plane.get()));
    if (!impl_->toGeographic || !impl_->toPlane) {
        throw Error(msg::CannotPrepareTransform());
    }
}

ZoneTransform::~ZoneTransform() = default;

LatLon ZoneTransform::ToGeographic(PlaneXY plane) const {
    double first = plane.x; // northing, then easting: the EPSG axis order of the zones
    double second = plane.y;
    if (!impl_->toGeographic->Transform(1, &first, &second)) {
        throw Error(msg::CannotConvertToLatLon());
    }
    return {first, second};
}

PlaneXY ZoneTransform::ToPlane(LatLon geographic) const {
    double first = geographic.lat;
    double second = geographic.lon;
    if (!impl_->toPlane->Transform(1, &first, &second)) {
        throw Error(msg::CannotConvertToPlane());
    }
    return {first, second};
}

} // namespace vemo::gis
