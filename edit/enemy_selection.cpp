#include "edit/enemy_selection.h"

namespace qzt {
namespace {

int lowestSelected(uint16_t mask) {
    for (int slot = 0; slot < MAX_ENEMIES; ++slot)
        if (mask >> slot & 1) return slot;
    return -1;
}

}  // namespace

int selectedEnemyCount(const EditorState& state) {
    int count = 0;
    const uint16_t mask = selectedEnemyMask(state);
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) count += mask >> slot & 1;
    return count;
}

void selectOnlyEnemy(EditorState& state, int slot) {
    const bool any = slot >= 0 && slot < MAX_ENEMIES;
    state.selectedEnemy = any ? slot : -1;
    state.selectedEnemies = any ? uint16_t(1u << slot) : 0;
}

void toggleEnemy(EditorState& state, int slot) {
    if (slot < 0 || slot >= MAX_ENEMIES) return;
    state.selectedEnemies = uint16_t(selectedEnemyMask(state) ^ (1u << slot));
    if (enemySelected(state, slot))
        state.selectedEnemy = slot;
    else if (state.selectedEnemy == slot)
        state.selectedEnemy = lowestSelected(state.selectedEnemies);
}

void selectEnemies(EditorState& state, uint16_t mask, bool adding) {
    state.selectedEnemies = uint16_t((adding ? selectedEnemyMask(state) : 0) | mask);
    if (!(state.selectedEnemy >= 0 && state.selectedEnemies >> state.selectedEnemy & 1))
        state.selectedEnemy = lowestSelected(state.selectedEnemies);
}

void selectAllEnemies(const LevelDocument& doc, EditorState& state) {
    uint16_t mask = 0;
    for (int slot = 0; slot < MAX_ENEMIES; ++slot)
        if (doc.enemies[slot].used) mask |= uint16_t(1u << slot);
    selectEnemies(state, mask, false);
}

}  // namespace qzt
