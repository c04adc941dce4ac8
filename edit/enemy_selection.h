// Several enemies selected at once: the primary one (EditorState's
// selectedEnemy) and the others with it (selectedEnemies).
#pragma once

#include <cstdint>

#include "edit/editor_state.h"
#include "level/level_document.h"

namespace qzt {

// The selected enemies, bit i for slot i; the primary one among them.
inline uint16_t selectedEnemyMask(const EditorState& state) {
    const bool primary = state.selectedEnemy >= 0 && state.selectedEnemy < MAX_ENEMIES;
    return uint16_t(state.selectedEnemies | (primary ? 1u << state.selectedEnemy : 0u));
}
inline bool enemySelected(const EditorState& state, int slot) {
    return slot >= 0 && slot < MAX_ENEMIES && (selectedEnemyMask(state) >> slot & 1);
}
int selectedEnemyCount(const EditorState& state);

// Slot alone, or none for -1.
void selectOnlyEnemy(EditorState& state, int slot);
// Ctrl and a click: in or out of the selection. A slot taken in becomes the
// primary one; the primary one taken out leaves the lowest other, if any.
void toggleEnemy(EditorState& state, int slot);
// Every enemy of the mask, besides the selection when adding; the primary
// one stays if it is still selected, else the lowest selected.
void selectEnemies(EditorState& state, uint16_t mask, bool adding);
// Every used enemy.
void selectAllEnemies(const LevelDocument& doc, EditorState& state);

}  // namespace qzt
