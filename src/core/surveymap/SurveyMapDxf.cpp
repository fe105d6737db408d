#include "core/surveymap/SurveyMapDxf.h"

#include "core/gis/GisExport.h"
#include "core/surveymap/SurveyMapLayout.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesSurveyMap.h"
#include "core/text/Numbers.h"

#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include <memory>

namespace vemo::surveymap {

namespace {

struct FeatureDeleter {
    void operator()(OGRFeature* feature) const { OGRFeature::DestroyFeature(feature); }
};

[[noreturn]] void Refused(const char* what) {
    throw Error(msg::DxfRefused(what, CPLGetLastErrorMsg()));
}

class DxfWriter {
public:
    DxfWriter(GDALDataset& dataset, const PlaneToPaper& transform) : transform_(transform) {
        layer_ = dataset.CreateLayer("entities", nullptr, wkbUnknown, nullptr);
        if (layer_ == nullptr) {
            Refused("entities");
        }
    }

    // A closed figure goes out as a polygon, which the DXF writer makes a closed polyline (no hatch).
    void Line(MapLayer layer, const std::vector<PaperPoint>& points, bool closed) {
        auto line = closed ? std::make_unique<OGRLinearRing>() : std::make_unique<OGRLineString>();
        for (PaperPoint p : points) {
            PlanePoint g = transform_.ToGround(p);
            line->addPoint(g.y, g.x);
        }
        if (!closed) {
            Add(layer, *line, nullptr);
            return;
        }
        line->closeRings();
        OGRPolygon polygon;
        polygon.addRingDirectly(static_cast<OGRLinearRing*>(line.release()));
        Add(layer, polygon, nullptr);
    }

    void Point(MapLayer layer, PaperPoint at) {
        PlanePoint g = transform_.ToGround(at);
        OGRPoint point(g.y, g.x);
        Add(layer, point, nullptr);
    }

    void Text(const MapText& text) {
        PlanePoint g = transform_.ToGround(text.box.centre);
        OGRPoint point(g.y, g.x);
        std::string utf8 = Cp932ToUtf8(text.text);
        std::string escaped;
        for (char c : utf8) {
            if (c == '"' || c == '\\') {
                escaped += '\\';
            }
            escaped += c;
        }
        // p:5 anchors the text at its middle centre, as the layout places it.
        std::string style = "LABEL(t:\"" + escaped +
                            "\",s:" + Sprintf("%.4f", text.HeightMm() * transform_.scale / 1000.0) +
                            "g,a:" + Sprintf("%.3f", text.box.angleDeg) + ",p:5)";
        Add(text.layer, point, style.c_str());
    }

private:
    void Add(MapLayer layer, const OGRGeometry& geometry, const char* style) {
        std::unique_ptr<OGRFeature, FeatureDeleter> feature(OGRFeature::CreateFeature(layer_->GetLayerDefn()));
        std::string name = LayerName(layer);
        feature->SetField("Layer", name.c_str());
        feature->SetGeometry(&geometry);
        if (style != nullptr) {
            feature->SetStyleString(style);
        }
        if (layer_->CreateFeature(feature.get()) != OGRERR_NONE) {
            Refused(layer_->GetName());
        }
    }

    const PlaneToPaper& transform_;
    OGRLayer* layer_ = nullptr;
};

} // namespace

void WriteSurveyMapDxf(const SurveyMapLayout& layout, const std::filesystem::path& target) {
    gis::WriteDxfDrawing(target, [&](GDALDataset& dataset) {
        CPLSetThreadLocalConfigOption("DXF_WRITE_HATCH", "FALSE");
        struct ResetHatch {
            ~ResetHatch() { CPLSetThreadLocalConfigOption("DXF_WRITE_HATCH", nullptr); }
        } resetHatch;
        DxfWriter writer(dataset, layout.transform);
        for (const MapLine& line : layout.lines) {
            writer.Line(line.layer, line.points, line.closed);
        }
        for (const MapMarker& marker : layout.markers) {
            // The point itself at its exact coordinates, the symbol drawn around it.
            writer.Point(marker.layer, marker.at);
            for (const SymbolStroke& stroke : SymbolOutline(marker.symbol, marker.at, marker.sizeMm)) {
                writer.Line(marker.layer, stroke.points, stroke.closed);
            }
        }
        for (const MapText& text : layout.texts) {
            writer.Text(text);
        }
    });
}

std::vector<std::string> DxfLimitations() {
    return {msg::DxfLineWidthsLost(), msg::DxfFillsLost(), msg::DxfFontsLost()};
}

} // namespace vemo::surveymap
