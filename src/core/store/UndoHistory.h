#pragma once

#include "core/store/StoreEdit.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class BlockList;
class XyzList;

// One undoable step: the reversals of the changes one command made, oldest first.
struct UndoStep {
    std::string name; // CP932, shown in the menu captions
    std::vector<StoreEdit> edits;
    std::size_t bytes = 0;   // what the reversals hold, as EditBytes counts it
    std::uint64_t state = 0; // the state of the lists this step leads to (kept through undo and redo)
    bool points = false;     // which lists the step changes
    bool parcels = false;
};

// The two lists, each saved to a file of its own.
enum class SavedList { Points, Parcels };

// The undo and redo history of one coordinate list and one parcel list.  It attaches itself to both as
// their edit sink, so every change is recorded in the order it was made, and one step that changed
// points and parcels together is undone together: a parcel never outlives the points it names.
//
// A command opens a step (BeginStep/EndStep, nesting freely: the outermost pair makes the step, the
// first name given names it).  A change made while no step is open becomes a step of its own, so the
// history always matches the lists.  A command that fails calls AbandonStep, which takes back what its
// own level had done.  Steps are bounded in number and in bytes; the oldest go first.
class UndoHistory : private StoreEditSink {
public:
    // 500 steps reach back over a long session of typing (a point is four or five cells); 128 MB hold
    // the reversals of about five reloads of a full list of 99,998 points, which keep every old row.
    static constexpr std::size_t kDefaultMaxSteps = 500;
    static constexpr std::size_t kDefaultMaxBytes = std::size_t{128} << 20;

    UndoHistory(XyzList& xyz, BlockList& blocks);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // The newest step is always kept, however large.
    void SetLimits(std::size_t maxSteps, std::size_t maxBytes);

    void BeginStep(std::string_view name = {});
    void EndStep();
    // Reverses the changes made since the matching BeginStep and closes that level.
    void AbandonStep();
    bool InStep() const { return !marks_.empty(); }
    // A modal window opened by a command runs commands of its own (a traverse window registering twice
    // makes two steps).  SuspendStep sets the open step aside, keeping what it changed so far as a step,
    // and the window's commands make steps of their own; ResumeStep carries on with the step set aside.
    void SuspendStep();
    void ResumeStep();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    // Not while the open step holds changes (std::logic_error).  A failure inside leaves the lists as
    // they were and the history empty.
    void Undo();
    void Redo();

    // A new history: another file was opened.  Changes of an open step made so far are forgotten too.
    // The lists then count as changed until MarkSaved says what they hold.
    void Clear();

    // The lists as they stand now are what their files hold (opened or saved).  Undoing and redoing
    // back to this state makes a list unchanged again.
    void MarkSaved(SavedList list);
    // The list differs from its file whatever is undone (restored from an auto-save).
    void MarkUnsaved(SavedList list);
    // Whether the list differs from the state last marked saved, changes of the open step included.
    bool IsModified(SavedList list) const;

    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    // Bytes held by the step the next Undo (Redo) would take back.
    std::size_t UndoBytes() const { return undo_.empty() ? 0 : undo_.back().bytes; }
    std::size_t RedoBytes() const { return redo_.empty() ? 0 : redo_.back().bytes; }

private:
    void Record(StoreEdit&& edit) override;
    void BeginGroup() override { BeginStep(); }
    void EndGroup() override { EndStep(); }
    void Commit(UndoStep step);
    void Trim();
    // Applies the step's reversals newest first; what they record becomes the returned step.
    UndoStep Reverse(UndoStep step);
    void RevertSilently(std::vector<StoreEdit>& edits, std::size_t from);
    void Attach(StoreEditSink* sink);
    std::uint64_t StateOf(SavedList list) const;

    XyzList& xyz_;
    BlockList& blocks_;
    std::size_t maxSteps_ = kDefaultMaxSteps;
    std::size_t maxBytes_ = kDefaultMaxBytes;
    std::size_t undoBytes_ = 0;      // sum over undo_
    std::vector<std::size_t> marks_; // per open level: the open step's edit count when it began
    UndoStep open_;
    struct Suspended {
        std::string name;
        std::size_t levels;
    };
    std::vector<Suspended> suspended_;
    std::vector<StoreEdit>* capture_ = nullptr; // where Record puts reversals while undoing or redoing
    std::deque<UndoStep> undo_;
    std::vector<UndoStep> redo_;
    // States are numbered as steps are made; a list's state is that of the newest step in undo_ that
    // changed it, or base_ when none does (the state after the last step trimmed away, or after Clear).
    std::uint64_t nextState_ = 1;
    std::array<std::uint64_t, 2> base_{0, 0};
    std::array<std::uint64_t, 2> saved_{0, 0};
};

// Opens a step for one scope: closed when the scope ends normally, abandoned when it ends by an
// exception, so a failing command leaves the lists as it found them.
class UndoScope {
public:
    UndoScope(UndoHistory& history, std::string_view name);
    ~UndoScope();
    UndoScope(const UndoScope&) = delete;
    UndoScope& operator=(const UndoScope&) = delete;

private:
    UndoHistory& history_;
    int exceptions_;
};

} // namespace vemo
