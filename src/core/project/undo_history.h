#pragma once
// The undo history of the project document. A step holds the bytes of the span
// it changed, before and after, with the buffer sizes, so undoing and redoing
// restore exactly what was there; the document is small and every change goes
// through it, so nothing can drift.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "text/bytes.h"

namespace spurwerk {

// What a step did, in the language in use: "Fader Track 3: 90 → 100".
struct StepName {
    std::string what;              // "Track 3: Fader", "Track 2 → Track 5 kopiert"
    std::string from, to;          // value texts; both empty for a step without values
    bool mergesWithSame = false;   // a slider drag: changes of one control in a row are one step
    std::string Text() const;
};

struct UndoStep {
    StepName name;
    std::size_t offset = 0;        // start of the changed span
    Bytes before, after;           // the span's bytes, each cut at its buffer's size
    std::size_t sizeBefore = 0, sizeAfter = 0;
    std::size_t Cost() const;
};

class UndoHistory {
public:
    // Enough for a thousand changes of a whole project, and never more.
    static constexpr std::size_t DefaultMaxBytes = 8u * 1024u * 1024u;
    explicit UndoHistory(std::size_t maxBytes = DefaultMaxBytes) : maxBytes_(maxBytes) {}

    // A new change: drops the steps that could be redone and, beyond the byte
    // bound, the oldest ones.
    void Record(UndoStep step);
    // The step to undo or redo; null when there is none. Undo and Redo move
    // the position and return the step whose before or after bytes to apply.
    const UndoStep* NextUndo() const;
    const UndoStep* NextRedo() const;
    const UndoStep* Undo();
    const UndoStep* Redo();

    // No steps; the current bytes are the clean state.
    void Clear();
    // The current bytes are the saved state.
    void MarkClean();
    bool AtClean() const { return clean_ && *clean_ == position_; }
    // The next change starts a new step even for the same control.
    void Seal() { sealed_ = true; }

    std::size_t StepCount() const { return steps_.size(); }
    std::size_t ByteCount() const { return bytes_; }
    std::size_t MaxBytes() const { return maxBytes_; }

private:
    bool MergeIntoLast(UndoStep& step);

    std::deque<UndoStep> steps_;
    std::size_t position_ = 0;             // steps before it are done
    std::optional<std::size_t> clean_ = 0; // position of the saved state, if still reachable
    bool sealed_ = true;
    std::size_t bytes_ = 0;
    std::size_t maxBytes_;
};

}  // namespace spurwerk
