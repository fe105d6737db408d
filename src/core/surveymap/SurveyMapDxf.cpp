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
#include <set>

namespace vemo::surveymap {

namespace {

struct FeatureDeleter {
    void operator()(OGRFeature* feature) const { OGRFeature::DestroyFeature(feature); }
};

[[noreturn]] void Refused(const char* what) {
    throw Error(msg::DxfRefused(what, CPLGetLastErrorMsg()));
}

// One block per marker symbol, so that each kind of boundary marker stays itself in CAD (鋲 filled, 木杭
// open) and can be picked or replaced as one.
std::string BlockName(MarkerSymbol symbol) {
    return "MARKER_" + std::string(SymbolName(symbol));
}

// The block of a symbol drawn 1 mm across about its insertion point (drawing x east, y north): filled
// parts as polygons, which the writer makes hatches, outlines as polylines.
void DefineBlock(OGRLayer& blocks, MarkerSymbol symbol) {
    for (const SymbolStroke& stroke : SymbolOutline(symbol, {0, 0}, 1.0)) {
        std::unique_ptr<OGRFeature, FeatureDeleter> feature(OGRFeature::CreateFeature(blocks.GetLayerDefn()));
        feature->SetField("Layer", "0");
        feature->SetField("Block", BlockName(symbol).c_str());
        auto line = std::make_unique<OGRLinearRing>();
        for (PaperPoint p : stroke.points) {
            line->addPoint(p.x, -p.y);
        }
        if (stroke.closed) {
            line->closeRings();
        }
        if (stroke.filled) {
            OGRPolygon polygon;
            polygon.addRingDirectly(line.release());
            feature->SetGeometry(&polygon);
        } else {
            OGRLineString outline(*line);
            feature->SetGeometry(&outline);
        }
        if (blocks.CreateFeature(feature.get()) != OGRERR_NONE) {
            Refused(blocks.GetName());
        }
    }
}

class DxfWriter {
public:
    DxfWriter(GDALDataset& dataset, const PlaneToPaper& transform) : transform_(transform) {
        layer_ = dataset.CreateLayer("entities", nullptr, wkbUnknown, nullptr);
        if (layer_ == nullptr) {
            Refused("entities");
        }
    }

    // The writer makes every polygon a hatch (it is asked to when the layer is made, so that the filled
    // symbols are filled): a filled figure goes out as a polygon, an outline as a polyline whose last
    // point is its first.
    void Line(MapLayer layer, const std::vector<PaperPoint>& points, bool closed, bool filled = false) {
        auto line = std::make_unique<OGRLinearRing>();
        for (PaperPoint p : points) {
            PlanePoint g = transform_.ToGround(p);
            line->addPoint(g.y, g.x);
        }
        if (closed) {
            line->closeRings();
        }
        if (!filled) {
            OGRLineString outline(*line);
            Add(layer, outline, nullptr);
            return;
        }
        OGRPolygon polygon;
        polygon.addRingDirectly(line.release());
        Add(layer, polygon, nullptr);
    }

    // A marker as an insert of its symbol's block, scaled from the block's 1 mm to its size on the
    // ground at the drawing's scale.
    void Marker(const MapMarker& marker) {
        std::unique_ptr<OGRFeature, FeatureDeleter> feature(OGRFeature::CreateFeature(layer_->GetLayerDefn()));
        std::string name = LayerName(marker.layer);
        feature->SetField("Layer", name.c_str());
        feature->SetField("BlockName", BlockName(marker.symbol).c_str());
        double scale = marker.sizeMm * transform_.scale / 1000.0;
        const double scales[] = {scale, scale, scale};
        feature->SetField("BlockScale", 3, scales);
        PlanePoint g = transform_.ToGround(marker.at);
        OGRPoint point(g.y, g.x);
        feature->SetGeometry(&point);
        if (layer_->CreateFeature(feature.get()) != OGRERR_NONE) {
            Refused(layer_->GetName());
        }
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

// The header variable's value (the line after its group code) set to `value`; the text as it was when
// the variable is not there.
std::string SetHeaderValue(std::string dxf, std::string_view variable, std::string_view value) {
    size_t name = dxf.find(std::string("\n") + std::string(variable) + "\n");
    if (name == std::string::npos) {
        name = dxf.find(std::string("\n") + std::string(variable) + "\r\n");
    }
    if (name == std::string::npos) {
        return dxf;
    }
    size_t code = dxf.find('\n', name + 1);                                    // end of the name line
    size_t line = code == std::string::npos ? code : dxf.find('\n', code + 1); // end of the group code line
    if (line == std::string::npos) {
        return dxf;
    }
    size_t end = dxf.find_first_of("\r\n", line + 1);
    size_t start = line + 1;
    size_t width = (end == std::string::npos ? dxf.size() : end) - start;
    std::string padded = std::string(width > value.size() ? width - value.size() : 0, ' ') + std::string(value);
    return dxf.replace(start, width, padded);
}

} // namespace

std::string MetricDxfHeader(std::string dxf) {
    // 6: metres, so CAD inserts the drawing at its size; 1: metric measurement (hatch patterns, line types).
    return SetHeaderValue(SetHeaderValue(std::move(dxf), "$INSUNITS", "6"), "$MEASUREMENT", "1");
}

void WriteSurveyMapDxf(const SurveyMapLayout& layout, const std::filesystem::path& target) {
    const auto draw = [&](GDALDataset& dataset) {
        // Read by the writer when the entities layer is made, and used for the blocks too.
        CPLSetThreadLocalConfigOption("DXF_WRITE_HATCH", "TRUE");
        struct ResetHatch {
            ~ResetHatch() { CPLSetThreadLocalConfigOption("DXF_WRITE_HATCH", nullptr); }
        } resetHatch;
        OGRLayer* blocks = dataset.CreateLayer("blocks", nullptr, wkbUnknown, nullptr);
        if (blocks == nullptr) {
            Refused("blocks");
        }
        DxfWriter writer(dataset, layout.transform);
        std::set<MarkerSymbol> used;
        for (const MapMarker& marker : layout.markers) {
            if (used.insert(marker.symbol).second) {
                DefineBlock(*blocks, marker.symbol);
            }
        }
        // The parcels whole in ground coordinates, whatever part of them the sheet shows.
        for (const MapLine& boundary : layout.boundaries) {
            writer.Line(boundary.layer, boundary.points, true);
        }
        for (const MapLine& line : layout.lines) {
            if (line.layer != MapLayer::SubjectLine && line.layer != MapLayer::AdjacentLine) {
                writer.Line(line.layer, line.points, line.closed, line.filled);
            }
        }
        for (const MapMarker& marker : layout.markers) {
            // The point itself at its exact coordinates, the symbol's block inserted there.
            writer.Point(marker.layer, marker.at);
            writer.Marker(marker);
        }
        for (const MapText& text : layout.texts) {
            writer.Text(text);
        }
    };
    // The drawing is in metres; the writer's header says inches.  Set before the one write, so that the
    // GIS export's own drawings keep theirs.
    gis::WriteDxfDrawing(target, draw, MetricDxfHeader);
}

std::vector<std::string> DxfLimitations() {
    return {msg::DxfLineWidthsLost(), msg::DxfFontsLost()};
}

} // namespace vemo::surveymap
