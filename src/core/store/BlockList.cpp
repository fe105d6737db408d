#include "core/store/BlockList.h"

#include "core/store/CommaList.h"
#include "core/store/StoreEdit.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace vemo {

namespace {

void CheckPosition(int position, int count) {
    if (position < 0 || position >= count) {
        throw std::out_of_range("BlockList: no parcel at position " + std::to_string(position));
    }
}

} // namespace

void BlockList::Insert(int position, Block block) {
    if (Count() >= kMaxBlocks) {
        throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Add));
    }
    CheckPosition(position, Count() + 1);
    observers_.Notify([&](BlockListObserver& o) { o.BlockAboutToBeAdded(position); });
    blocks_.insert(blocks_.begin() + position, std::move(block));
    sink_.Record(StoreEdit{reversal::RemoveBlock{position}});
    observers_.Notify([&](BlockListObserver& o) { o.BlockAdded(position); });
}

void BlockList::Replace(int position, Block block) {
    CheckPosition(position, Count());
    std::swap(blocks_[position], block);
    if (sink_.Wanted()) {
        sink_.Record(StoreEdit{reversal::ReplaceBlock{position, std::make_unique<Block>(std::move(block))}});
    }
    observers_.Notify([&](BlockListObserver& o) { o.BlockReplaced(position); });
}

void BlockList::Remove(int position) {
    CheckPosition(position, Count());
    observers_.Notify([&](BlockListObserver& o) { o.BlockAboutToBeRemoved(position); });
    auto removed = std::make_unique<Block>(std::move(blocks_[position]));
    blocks_.erase(blocks_.begin() + position);
    sink_.Record(StoreEdit{reversal::InsertBlock{position, std::move(removed)}});
    observers_.Notify([&](BlockListObserver& o) { o.BlockRemoved(position); });
}

void BlockList::ReplaceAll(std::vector<Block> blocks) {
    if (blocks.size() > static_cast<size_t>(kMaxBlocks)) {
        throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Load));
    }
    observers_.Notify([&](BlockListObserver& o) { o.BlocksAboutToReset(); });
    std::swap(blocks_, blocks);
    sink_.Record(StoreEdit{reversal::ReplaceBlocks{std::move(blocks)}});
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
