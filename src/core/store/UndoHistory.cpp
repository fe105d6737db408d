#include "core/store/UndoHistory.h"

#include "core/store/BlockList.h"
#include "core/store/XyzList.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <stdexcept>
#include <type_traits>
#include <variant>

namespace vemo {
namespace {

std::size_t StepBytes(const std::vector<StoreEdit>& edits) {
    std::size_t bytes = sizeof(UndoStep);
    for (const StoreEdit& edit : edits) {
        bytes += EditBytes(edit);
    }
    return bytes;
}

const std::string kNoName;

// A state no list is ever in: the list stays changed until it is saved.
constexpr std::uint64_t kNeverSaved = UINT64_MAX;

bool ChangesPoints(const StoreEdit& edit) {
    return std::visit(
        [](const auto& change) {
            using T = std::decay_t<decltype(change)>;
            return !(std::is_same_v<T, reversal::RemoveBlock> || std::is_same_v<T, reversal::InsertBlock> ||
                     std::is_same_v<T, reversal::ReplaceBlock> || std::is_same_v<T, reversal::ReplaceBlocks>);
        },
        edit.change);
}

bool Changes(const StoreEdit& edit, SavedList list) {
    return ChangesPoints(edit) == (list == SavedList::Points);
}

bool Changes(const UndoStep& step, SavedList list) {
    return list == SavedList::Points ? step.points : step.parcels;
}

std::size_t Slot(SavedList list) {
    return list == SavedList::Points ? 0 : 1;
}

} // namespace

UndoHistory::UndoHistory(XyzList& xyz, BlockList& blocks) : xyz_(xyz), blocks_(blocks) {
    Attach(this);
}

UndoHistory::~UndoHistory() {
    Attach(nullptr);
}

void UndoHistory::Attach(StoreEditSink* sink) {
    xyz_.SetEditSink(sink);
    blocks_.SetEditSink(sink);
}

void UndoHistory::SetLimits(std::size_t maxSteps, std::size_t maxBytes) {
    maxSteps_ = std::max<std::size_t>(maxSteps, 1);
    maxBytes_ = maxBytes;
    Trim();
}

void UndoHistory::BeginStep(std::string_view name) {
    if (marks_.empty()) {
        open_ = UndoStep{std::string(name), {}, 0};
    } else if (open_.name.empty()) {
        open_.name = name;
    }
    marks_.push_back(open_.edits.size());
}

void UndoHistory::EndStep() {
    if (marks_.empty()) {
        throw std::logic_error("UndoHistory: EndStep without BeginStep");
    }
    marks_.pop_back();
    if (marks_.empty()) {
        Commit(std::exchange(open_, UndoStep{}));
    }
}

void UndoHistory::AbandonStep() {
    if (marks_.empty()) {
        throw std::logic_error("UndoHistory: AbandonStep without BeginStep");
    }
    try {
        RevertSilently(open_.edits, marks_.back());
    } catch (...) {
        // The lists could not be taken back: no older step can be trusted to reverse them any more.
        Clear();
    }
    EndStep();
}

void UndoHistory::SuspendStep() {
    if (marks_.empty()) {
        throw std::logic_error("UndoHistory: no step to suspend");
    }
    suspended_.push_back({open_.name, marks_.size()});
    Commit(std::exchange(open_, UndoStep{}));
    marks_.clear();
}

void UndoHistory::ResumeStep() {
    if (suspended_.empty() || !marks_.empty()) {
        throw std::logic_error("UndoHistory: no suspended step to resume, or a step still open");
    }
    open_ = UndoStep{std::move(suspended_.back().name), {}, 0};
    marks_.assign(suspended_.back().levels, 0);
    suspended_.pop_back();
}

const std::string& UndoHistory::UndoName() const {
    return undo_.empty() ? kNoName : undo_.back().name;
}

const std::string& UndoHistory::RedoName() const {
    return redo_.empty() ? kNoName : redo_.back().name;
}

void UndoHistory::Undo() {
    if (undo_.empty()) {
        return;
    }
    if (!open_.edits.empty()) {
        throw std::logic_error("UndoHistory: undo inside a command that has changed data");
    }
    UndoStep step = std::move(undo_.back());
    undo_.pop_back();
    undoBytes_ -= step.bytes;
    redo_.push_back(Reverse(std::move(step)));
}

void UndoHistory::Redo() {
    if (redo_.empty()) {
        return;
    }
    if (!open_.edits.empty()) {
        throw std::logic_error("UndoHistory: redo inside a command that has changed data");
    }
    UndoStep step = std::move(redo_.back());
    redo_.pop_back();
    UndoStep undone = Reverse(std::move(step));
    undoBytes_ += undone.bytes;
    undo_.push_back(std::move(undone));
    Trim();
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
    undoBytes_ = 0;
    open_.edits.clear();
    std::fill(marks_.begin(), marks_.end(), 0);
    base_ = {nextState_, nextState_};
    ++nextState_;
}

std::uint64_t UndoHistory::StateOf(SavedList list) const {
    for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) {
        if (Changes(*step, list)) {
            return step->state;
        }
    }
    return base_[Slot(list)];
}

void UndoHistory::MarkSaved(SavedList list) {
    saved_[Slot(list)] = StateOf(list);
}

void UndoHistory::MarkUnsaved(SavedList list) {
    saved_[Slot(list)] = kNeverSaved;
}

bool UndoHistory::IsModified(SavedList list) const {
    for (const StoreEdit& edit : open_.edits) {
        if (Changes(edit, list)) {
            return true;
        }
    }
    return StateOf(list) != saved_[Slot(list)];
}

void UndoHistory::Record(StoreEdit&& edit) {
    if (capture_) {
        capture_->push_back(std::move(edit));
    } else if (!marks_.empty()) {
        open_.edits.push_back(std::move(edit));
    } else {
        UndoStep single{DefaultStepName(edit), {}, 0};
        single.edits.push_back(std::move(edit));
        Commit(std::move(single));
    }
}

void UndoHistory::Commit(UndoStep step) {
    if (step.edits.empty()) {
        return;
    }
    if (step.name.empty()) {
        step.name = DefaultStepName(step.edits.front());
    }
    step.edits.shrink_to_fit();
    step.bytes = StepBytes(step.edits);
    step.state = nextState_++;
    for (const StoreEdit& edit : step.edits) {
        (ChangesPoints(edit) ? step.points : step.parcels) = true;
    }
    undoBytes_ += step.bytes;
    undo_.push_back(std::move(step));
    redo_.clear();
    Trim();
}

void UndoHistory::Trim() {
    while (undo_.size() > 1 && (undo_.size() > maxSteps_ || undoBytes_ > maxBytes_)) {
        const UndoStep& oldest = undo_.front();
        undoBytes_ -= oldest.bytes;
        for (SavedList list : {SavedList::Points, SavedList::Parcels}) {
            if (Changes(oldest, list)) {
                base_[Slot(list)] = oldest.state;
            }
        }
        undo_.pop_front();
    }
}

UndoStep UndoHistory::Reverse(UndoStep step) {
    UndoStep reversed{std::move(step.name), {}, 0, step.state, step.points, step.parcels};
    reversed.edits.reserve(step.edits.size());
    capture_ = &reversed.edits;
    try {
        for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) {
            ApplyEdit(std::move(*edit), xyz_, blocks_);
        }
    } catch (...) {
        capture_ = nullptr;
        RevertSilently(reversed.edits, 0);
        Clear();
        throw;
    }
    capture_ = nullptr;
    reversed.bytes = StepBytes(reversed.edits);
    return reversed;
}

void UndoHistory::RevertSilently(std::vector<StoreEdit>& edits, std::size_t from) {
    std::vector<StoreEdit> discarded;
    std::vector<StoreEdit>* const previous = std::exchange(capture_, &discarded);
    try {
        while (edits.size() > from) {
            StoreEdit edit = std::move(edits.back());
            edits.pop_back();
            ApplyEdit(std::move(edit), xyz_, blocks_);
        }
    } catch (...) {
        capture_ = previous;
        throw;
    }
    capture_ = previous;
}

UndoScope::UndoScope(UndoHistory& history, std::string_view name)
    : history_(history), exceptions_(std::uncaught_exceptions()) {
    history_.BeginStep(name);
}

UndoScope::~UndoScope() {
    if (std::uncaught_exceptions() > exceptions_) {
        history_.AbandonStep();
    } else {
        history_.EndStep();
    }
}

} // namespace vemo
