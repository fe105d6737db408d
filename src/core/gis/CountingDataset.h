#pragma once

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <vector>

namespace vemo::gis {

// A dataset that hands every call on to another and counts the features its layers accept.  A
// drawing is written by whoever fills it (the export, the survey map); the count is what a complete
// file must read back with, since GDAL's DXF writer does not notice a full disk.
class CountingDataset : public GDALDataset {
public:
    explicit CountingDataset(GDALDataset& inner) : inner_(inner) {}
    ~CountingDataset() override;

    long long Created() const { return created_; }

    int GetLayerCount() override { return static_cast<int>(layers_.size()); }
    OGRLayer* GetLayer(int index) override;
    int TestCapability(const char* capability) override { return inner_.TestCapability(capability); }

protected:
    OGRLayer* ICreateLayer(const char* name, OGRSpatialReference* srs, OGRwkbGeometryType type,
                           char** options) override;

private:
    GDALDataset& inner_;
    std::vector<std::unique_ptr<OGRLayer>> layers_;
    long long created_ = 0;
    long long definitions_ = 0; // features of the blocks' definitions, not counted
};

} // namespace vemo::gis
