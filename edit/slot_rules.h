// Slots: the lowest free one for a new record, and the references that keep
// an image set or a program from being deleted.
#pragma once

#include <cstdint>

#include "edit/editor_state.h"
#include "level/level_document.h"

namespace qzt {

inline bool isSlot(int64_t index, int slots) { return index >= 0 && index < slots; }

// Whether slot names a record of slots whose used flag is set.
template <typename Record, int Slots>
bool isUsedSlot(const Record (&slots)[Slots], int64_t slot) {
    return isSlot(slot, Slots) && slots[slot].used;
}

// The lowest slot whose used flag is set; -1 when none is.
template <typename Record, int Slots>
int firstUsedSlot(const Record (&slots)[Slots]) {
    for (int i = 0; i < Slots; ++i)
        if (slots[i].used) return i;
    return -1;
}

// -1 when all 15 are used.
int lowestFreeImageSet(const LevelDocument& doc);
int lowestFreeProgram(const LevelDocument& doc);
int lowestFreeEnemy(const LevelDocument& doc);

// Whether a used enemy refers to the slot; all 15 enemy slots are searched.
bool imageSetInUse(const LevelDocument& doc, int32_t imageSet);
bool programInUse(const LevelDocument& doc, int32_t program);

// After the document was put back to another state: selected enemies and
// the image set stay selected while their slots are used.
void keepUsedSelections(const LevelDocument& doc, EditorState& state);

}  // namespace qzt
