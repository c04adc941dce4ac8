// What the user can take back: the document after every step, and the one
// last loaded or saved, which tells whether there is anything to save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "level/level_document.h"

namespace qzt {

// What a step did, as the Edit menu names it: "Undo Move".
enum class StepName {
    Move, Resize, Delete, Value, Frames, NewImageSet, Recording, Properties, NewEnemy, ProgramEdit,
    Paste, Duplicate, Nudge, Cut,
};
const char* stepNameText(StepName name);

class History {
public:
    // Steps kept; the oldest goes when a new one would exceed them.
    static constexpr size_t MaxSteps = 1000;

    // A history of none but doc, which counts as saved: after a load.
    void reset(const LevelDocument& doc);
    // Ends a gesture: doc becomes a step of that name when it differs from
    // the current document, and any steps undone before are dropped. False
    // when doc is unchanged: nothing is recorded.
    bool record(const LevelDocument& doc, StepName name);
    // The current step becomes doc, as one step with what it did before (a
    // run of nudges); steps undone before are dropped. False when there is
    // no step to amend or doc is unchanged.
    bool amend(const LevelDocument& doc);
    // The document before or after the current step, now the current one;
    // null when there is no step to take back or to do again.
    const LevelDocument* undo();
    const LevelDocument* redo();
    // The step undo or redo would take; none when there is none.
    std::optional<StepName> undoName() const;
    std::optional<StepName> redoName() const;
    // What the last step left, as every gesture starts from it.
    const LevelDocument& current() const { return states_[position_]; }
    size_t steps() const { return states_.size() - 1; }

    void markSaved(const LevelDocument& doc);
    const LevelDocument& saved() const { return saved_; }
    // Whether the current document differs from what was last loaded or saved.
    bool modified() const { return modified_; }
    // Counts every reset, step, undo, redo and save: what depends on the
    // document looks again only when it moved.
    uint64_t version() const { return version_; }

private:
    void moved();

    std::deque<LevelDocument> states_{LevelDocument{}};
    std::deque<StepName> names_;  // names_[i] led from states_[i] to states_[i + 1]
    size_t position_ = 0;  // states_[position_] is current()
    LevelDocument saved_;
    bool modified_ = false;
    uint64_t version_ = 0;
};

}  // namespace qzt
