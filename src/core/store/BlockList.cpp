#include "core/store/BlockList.h"

#include "core/store/CommaList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <stdexcept>

namespace vemo {

namespace {

void CheckPosition(int position, int count) {
    if (position < 0 || position >= count) {
        throw std::out_of_range("BlockList: no parcel at position " + std::to_string(position));
    }
}

} // namespace

void BlockList::Add(Block block) {
    if (Count() >= kMaxBlocks) {
        throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Add));
    }
    const int position = Count();
    observers_.Notify([&](BlockListObserver& o) { o.BlockAboutToBeAdded(position); });
    blocks_.push_back(std::move(block));
    observers_.Notify([&](BlockListObserver& o) { o.BlockAdded(position); });
}

void BlockList::Replace(int position, Block block) {
    CheckPosition(position, Count());
    blocks_[position] = std::move(block);
    observers_.Notify([&](BlockListObserver& o) { o.BlockReplaced(position); });
}

void BlockList::Remove(int position) {
    CheckPosition(position, Count());
    observers_.Notify([&](BlockListObserver& o) { o.BlockAboutToBeRemoved(position); });
    blocks_.erase(blocks_.begin() + position);
    observers_.Notify([&](BlockListObserver& o) { o.BlockRemoved(position); });
}

void BlockList::ReplaceAll(std::vector<Block> blocks) {
    if (blocks.size() > static_cast<size_t>(kMaxBlocks)) {
        throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Load));
    }
    observers_.Notify([&](BlockListObserver& o) { o.BlocksAboutToReset(); });
    blocks_ = std::move(blocks);
    observers_.Notify([&](BlockListObserver& o) { o.BlocksReset(); });
}

void BlockList::Clear() {
    ReplaceAll({});
}

void BlockList::AddObserver(BlockListObserver* observer) {
    observers_.Add(observer);
}

void BlockList::RemoveObserver(BlockListObserver* observer) {
    observers_.Remove(observer);
}

void ComputeLabelPoint(Block& block, const XyzNameIndex& index) {
    double sumX = 0;
    double sumY = 0;
    int found = 0;
    for (const std::string& name : DecodeCommaList(block.NoList)) {
        if (const auto point = index.Find(name)) {
            sumX += point->x;
            sumY += point->y;
            ++found;
        }
    }
    block.LabelX = found > 0 ? sumX / found : 0.0;
    block.LabelY = found > 0 ? sumY / found : 0.0;
}

} // namespace vemo
