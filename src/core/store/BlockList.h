#pragma once

#include "core/store/ObserverList.h"
#include "core/store/StoreEditSink.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vemo {

class XyzNameIndex;

constexpr int kMaxBlocks = 1000;

// A parcel: a closed ring of point names.  Parcels refer to points by name only; the coordinates are
// looked up through the name index every time they are needed.
struct Block {
    std::string BlockName; // as shown in the parcel list
    std::string NoList;    // vertex names as a CommaList, the closing repetition of the first included
    int NoRowCount = 0;    // rows the vertex editor takes when the parcel is opened
    double LabelX = 0;     // label point (north): where the plot writes the name, what picking measures to
    double LabelY = 0;     // label point (east)
};

// Told about every change of the parcel list.  Insertions, removals and resets are announced before
// the change (AboutTo...) and reported after it, so a list model can bracket them as it must.
class BlockListObserver {
public:
    virtual ~BlockListObserver() = default;
    virtual void BlockAboutToBeAdded(int /*position*/) {}
    virtual void BlockAdded(int /*position*/) {}
    virtual void BlockReplaced(int /*position*/) {}
    virtual void BlockAboutToBeRemoved(int /*position*/) {}
    virtual void BlockRemoved(int /*position*/) {}
    virtual void BlocksAboutToReset() {}
    virtual void BlocksReset() {}
};

// BlockList: parcels in the order they were loaded or registered (never sorted).  An operation that
// would take the list past kMaxBlocks throws vemo::Error and changes nothing.
class BlockList {
public:
    int Count() const { return static_cast<int>(blocks_.size()); }
    const Block& At(int position) const { return blocks_[position]; }
    const std::vector<Block>& All() const { return blocks_; }

    void Add(Block block) { Insert(Count(), std::move(block)); }
    // Before `position` (0 .. Count()); later parcels move up by one.  What undoing a removal needs.
    void Insert(int position, Block block);
    void Replace(int position, Block block);
    // Later parcels move down by one, each keeping its own fields.
    void Remove(int position);
    void ReplaceAll(std::vector<Block> blocks);
    // ClearBlockList (the parcel editor empties itself when told BlocksReset).
    void Clear();

    void AddObserver(BlockListObserver* observer);
    void RemoveObserver(BlockListObserver* observer);
    // The undo history's hook: told how to reverse each change (nullptr: nobody listens).
    void SetEditSink(StoreEditSink* sink) { sink_.sink = sink; }

private:
    std::vector<Block> blocks_;
    ObserverList<BlockListObserver> observers_;
    StoreEditSinkLink sink_;
};

// Label point of a loaded parcel: the mean X and mean Y over the entries of its vertex list (the closing
// repetition counts), each found through the index.  Names the index does not know are left out of
// the mean; with no vertex found the label point is (0, 0).
void ComputeLabelPoint(Block& block, const XyzNameIndex& index);

} // namespace vemo
