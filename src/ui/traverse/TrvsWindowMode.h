#pragma once

#include <string>

namespace vemo {

// What the traverse window asks of the content its mode shows, the traverse or the field book, so
// that closing, new, open, receiving and a change of mode treat both alike.
class TrvsWindowMode {
public:
    virtual ~TrvsWindowMode() = default;

    // The content differs from the file last opened or saved.
    virtual bool Modified() const = 0;
    // The question asked before unsaved content is dropped (CP932).
    virtual std::string UnsavedQuestion() const = 0;
    // 上書き保存: to the current file, or to a name asked for when there is none.
    virtual void Save() = 0;
    // The mode's auto file ("Auto.Trv", "Auto.ZUB"): written when the content changed since it was
    // loaded, saved or auto-saved (`forced`: whenever it is not empty), never with an empty content.
    virtual void AutoSave(bool forced) = 0;
    // A new, empty content.
    virtual void Clear() = 0;
};

} // namespace vemo
