#include "core/gis/CountingDataset.h"

#include <string_view>

namespace vemo::gis {

namespace {

class CountingLayer : public OGRLayer {
public:
    CountingLayer(OGRLayer& inner, long long& created) : inner_(inner), created_(created) {}

    void ResetReading() override { inner_.ResetReading(); }
    OGRFeature* GetNextFeature() override { return inner_.GetNextFeature(); }
    const char* GetName() override { return inner_.GetName(); }
    OGRFeatureDefn* GetLayerDefn() override { return inner_.GetLayerDefn(); }
    int TestCapability(const char* capability) override { return inner_.TestCapability(capability); }
    OGRErr CreateField(OGRFieldDefn* field, int approxOk) override { return inner_.CreateField(field, approxOk); }

protected:
    OGRErr ICreateFeature(OGRFeature* feature) override {
        const OGRErr result = inner_.CreateFeature(feature);
        if (result == OGRERR_NONE) {
            ++created_;
        }
        return result;
    }

private:
    OGRLayer& inner_;
    long long& created_;
};

} // namespace

CountingDataset::~CountingDataset() = default;

OGRLayer* CountingDataset::GetLayer(int index) {
    return index >= 0 && index < GetLayerCount() ? layers_[static_cast<size_t>(index)].get() : nullptr;
}

OGRLayer* CountingDataset::ICreateLayer(const char* name, OGRSpatialReference* srs, OGRwkbGeometryType type,
                                        char** options) {
    OGRLayer* layer = inner_.CreateLayer(name, srs, type, options);
    if (layer == nullptr) {
        return nullptr;
    }
    // The DXF driver's "blocks" layer holds block definitions, which a drawing does not read back as
    // entities: only the entities (inserts among them) are counted.
    const bool definitions = name != nullptr && std::string_view(name) == "blocks";
    layers_.push_back(std::make_unique<CountingLayer>(*layer, definitions ? definitions_ : created_));
    return layers_.back().get();
}

} // namespace vemo::gis
