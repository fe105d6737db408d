#include "core/gis/OgrWriters.h"

#include "core/gis/ExportFailure.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <memory>

namespace vemo::gis {
namespace {

struct FeatureDeleter {
    void operator()(OGRFeature* feature) const { OGRFeature::DestroyFeature(feature); }
};
using FeaturePtr = std::unique_ptr<OGRFeature, FeatureDeleter>;

// GDAL's own explanation goes into the message; when it gave none, the layer or field it refused means
// nothing to a surveyor and is left out.
[[noreturn]] void Refused() {
    throw GdalRefusal{CPLGetLastErrorMsg()};
}

OGRLayer& CreateLayer(GDALDataset& dataset, const std::string& name, const OGRSpatialReference* srs,
                      OGRwkbGeometryType type, CSLConstList options = nullptr) {
    OGRLayer* layer =
        dataset.CreateLayer(name.c_str(), const_cast<OGRSpatialReference*>(srs), type, const_cast<char**>(options));
    if (layer == nullptr) {
        Refused();
    }
    return *layer;
}

// Width and decimals matter where the format stores numbers as text (a Shapefile's dBASE table):
// 地積 and 坪数 are exact hundredths and must not come back as 15.119999999999999.
void AddField(OGRLayer& layer, const char* utf8Name, OGRFieldType type, int width = 0, int decimals = 0) {
    OGRFieldDefn field(utf8Name, type);
    field.SetWidth(width);
    field.SetPrecision(decimals);
    if (layer.CreateField(&field) != OGRERR_NONE) {
        Refused();
    }
}

void Add(OGRLayer& layer, OGRFeature& feature) {
    if (layer.CreateFeature(&feature) != OGRERR_NONE) {
        Refused();
    }
}

FeaturePtr NewFeature(OGRLayer& layer) {
    return FeaturePtr(OGRFeature::CreateFeature(layer.GetLayerDefn()));
}

OGRPolygon RingPolygon(const std::vector<PlaneXY>& ring, auto&& toXy) {
    auto linear = std::make_unique<OGRLinearRing>();
    for (const PlaneXY& p : ring) {
        auto [x, y] = toXy(p);
        linear->addPoint(x, y);
    }
    linear->closeRings();
    OGRPolygon polygon;
    polygon.addRingDirectly(linear.release());
    return polygon;
}

void SetPointFields(OGRFeature& feature, const ExportPoint& point) {
    feature.SetField("点名", point.name.c_str());
    if (point.z) {
        feature.SetField("Z", *point.z);
    }
    feature.SetField("点種", point.type.c_str());
    feature.SetField("備考", point.remark.c_str());
}

void SetParcelFields(OGRFeature& feature, const ExportParcel& parcel) {
    feature.SetField("画地名", parcel.name.c_str());
    feature.SetField("面積", parcel.figures.area);
    feature.SetField("地積", parcel.figures.chiseki);
    feature.SetField("坪数", parcel.figures.tsubo);
}

void AddPointFields(OGRLayer& layer) {
    AddField(layer, "点名", OFTString);
    AddField(layer, "Z", OFTReal, 16, 3);
    AddField(layer, "点種", OFTString);
    AddField(layer, "備考", OFTString);
}

void AddParcelFields(OGRLayer& layer) {
    AddField(layer, "画地名", OFTString);
    AddField(layer, "面積", OFTReal, 20, 6);
    AddField(layer, "地積", OFTReal, 16, 2);
    AddField(layer, "坪数", OFTReal, 16, 2);
}

// Many features go in one transaction where the format has them (a GeoPackage commits once instead
// of once per feature).
class Transaction {
public:
    explicit Transaction(GDALDataset& dataset) : dataset_(dataset) {
        active_ = dataset_.StartTransaction() == OGRERR_NONE;
    }
    ~Transaction() {
        if (active_) {
            dataset_.RollbackTransaction();
        }
    }
    void Commit() {
        if (active_ && dataset_.CommitTransaction() != OGRERR_NONE) {
            Refused();
        }
        active_ = false;
    }

private:
    GDALDataset& dataset_;
    bool active_ = false;
};

} // namespace

namespace {

// One of GDAL's data files, empty when it is not found.
std::string GdalDataFile(const char* name) {
    const char* found = CPLFindFile("GDAL", name);
    std::string bytes;
    if (VSILFILE* file = found ? VSIFOpenL(found, "rb") : nullptr) {
        char buffer[4096];
        for (size_t n; (n = VSIFReadL(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, n);
        }
        VSIFCloseL(file);
    }
    return bytes;
}

} // namespace

std::string DxfHeaderTemplate() {
    std::string header = GdalDataFile("header.dxf");
    size_t codePage = header.find("ANSI_1252");
    if (codePage == std::string::npos) {
        throw Error(msg::DxfTemplateMissing());
    }
    return header.replace(codePage, 9, "ANSI_932");
}

std::string DxfTrailerTemplate() {
    std::string trailer = GdalDataFile("trailer.dxf");
    if (trailer.find("EOF") == std::string::npos) {
        throw Error(msg::DxfTemplateMissing());
    }
    return trailer;
}

void WriteZoneLayers(GDALDataset& dataset, const ExportData& data, const ZoneChoice& zone,
                     const std::string& pointsLayer, const std::string& parcelsLayer) {
    OGRSpatialReference srs;
    srs.importFromEPSG(ZoneEpsg(zone));
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER); // geometries are stored east, north
    // A Shapefile's attributes are UTF-8, declared in its .cpg; a GeoPackage is UTF-8 anyway.
    bool isShapefile = EQUAL(dataset.GetDriverName(), "ESRI Shapefile");
    const char* const options[] = {isShapefile ? "ENCODING=UTF-8" : nullptr, nullptr};
    Transaction transaction(dataset);
    OGRLayer& points = CreateLayer(dataset, pointsLayer, &srs, wkbPoint25D, options);
    AddPointFields(points);
    for (const ExportPoint& point : data.points) {
        FeaturePtr feature = NewFeature(points);
        SetPointFields(*feature, point);
        OGRPoint geometry(point.plane.y, point.plane.x, point.z.value_or(0));
        feature->SetGeometry(&geometry);
        Add(points, *feature);
    }
    if (!parcelsLayer.empty()) {
        OGRLayer& parcels = CreateLayer(dataset, parcelsLayer, &srs, wkbPolygon, options);
        AddParcelFields(parcels);
        for (const ExportParcel& parcel : data.parcels) {
            FeaturePtr feature = NewFeature(parcels);
            SetParcelFields(*feature, parcel);
            OGRPolygon polygon = RingPolygon(parcel.ring, [](PlaneXY p) { return std::pair{p.y, p.x}; });
            feature->SetGeometry(&polygon);
            Add(parcels, *feature);
        }
    }
    transaction.Commit();
}

// KML and GeoJSON carry WGS 84 longitude/latitude.  JGD2011 and JGD2000 are realisations of ITRF whose
// difference from WGS 84 is centimetres, far below what these quick-look formats show, so the JGD
// latitude and longitude are written as they are, with no further datum shift.
void WriteGeographicLayers(GDALDataset& dataset, const ExportData& data, const ZoneChoice& zone, bool oneLayer) {
    ZoneTransform transform(zone);
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER); // longitude first, as KML and GeoJSON
    auto lonLat = [&](PlaneXY p) {
        LatLon ll = transform.ToGeographic(p);
        return std::pair{ll.lon, ll.lat};
    };
    // KML writes one folder after the other: every point goes in before the parcels layer is made.
    OGRLayer& points = CreateLayer(dataset, oneLayer ? "site" : "points", &wgs84, oneLayer ? wkbUnknown : wkbPoint);
    AddPointFields(points);
    if (oneLayer) {
        AddParcelFields(points);
    }
    for (const ExportPoint& point : data.points) {
        FeaturePtr feature = NewFeature(points);
        SetPointFields(*feature, point);
        auto [lon, lat] = lonLat(point.plane);
        OGRPoint geometry(lon, lat);
        feature->SetGeometry(&geometry);
        Add(points, *feature);
    }
    OGRLayer* parcels = &points;
    if (!oneLayer) {
        parcels = &CreateLayer(dataset, "parcels", &wgs84, wkbPolygon);
        AddParcelFields(*parcels);
    }
    for (const ExportParcel& parcel : data.parcels) {
        FeaturePtr feature = NewFeature(*parcels);
        SetParcelFields(*feature, parcel);
        OGRPolygon polygon = RingPolygon(parcel.ring, lonLat);
        feature->SetGeometry(&polygon);
        Add(*parcels, *feature);
    }
}

} // namespace vemo::gis
