#include "core/store/Store.h"

#include "core/text/Error.h"

namespace vemo {

// Every change of the rows or of a name, X or Y cell makes the index stale.  Z, 点種 and 備考 are
// not in it, so typing them (and the № renumbering after an insertion) costs no rebuild.
class Store::ListWatch : public XyzListObserver {
public:
    explicit ListWatch(Store& store) : store_(store) {}
    void CellsChanged(int, int, int firstCol, int lastCol) override {
        if (firstCol <= kColY && lastCol >= kColName) {
            store_.MarkIndexStale();
        }
    }
    void RowsInserted(int, int) override { store_.MarkIndexStale(); }
    void RowsRemoved(int, int) override { store_.MarkIndexStale(); }
    void Reset() override { store_.MarkIndexStale(); }

private:
    Store& store_;
};

Store::Store() : watch_(std::make_unique<ListWatch>(*this)) {
    // First among the observers, so that every later observer already finds the index stale.
    xyz.AddObserver(watch_.get());
}

Store::~Store() {
    xyz.RemoveObserver(watch_.get());
}

void Store::MarkIndexStale() {
    stale_ = true;
    failure_.clear();
}

const XyzNameIndex& Store::Index() const {
    if (!failure_.empty()) {
        throw Error(failure_);
    }
    if (stale_) {
        try {
            index_.Rebuild(xyz);
        } catch (const Error& error) {
            failure_ = error.what();
            throw;
        }
        stale_ = false;
    }
    return index_;
}

const XyzNameIndex& Store::IndexForDrawing() const noexcept {
    try {
        return Index();
    } catch (const std::exception&) {
        return index_;
    }
}

std::string CaptionText(const CurrentNames& names) {
    if (!names.BlkName.empty()) {
        return names.CaseName + " - " + names.XyzName + " - " + names.BlkName + " [Vemo]";
    }
    if (!names.XyzName.empty()) {
        return names.CaseName + " - " + names.XyzName + " [Vemo]";
    }
    if (!names.CaseName.empty()) {
        return names.CaseName + " [Vemo]";
    }
    return "[Vemo]";
}

} // namespace vemo
