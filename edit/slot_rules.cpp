#include "edit/slot_rules.h"

#include "edit/enemy_selection.h"

namespace qzt {
namespace {

template <typename Record, int Slots>
int lowestFree(const Record (&slots)[Slots]) {
    for (int i = 0; i < Slots; ++i)
        if (!slots[i].used) return i;
    return -1;
}

template <typename Field>
bool usedEnemyRefers(const LevelDocument& doc, Field field, int32_t slot) {
    for (const Enemy& enemy : doc.enemies)
        if (enemy.used && enemy.*field == slot) return true;
    return false;
}

}  // namespace

int lowestFreeImageSet(const LevelDocument& doc) { return lowestFree(doc.imageSets); }
int lowestFreeProgram(const LevelDocument& doc) { return lowestFree(doc.programs); }
int lowestFreeEnemy(const LevelDocument& doc) { return lowestFree(doc.enemies); }

bool imageSetInUse(const LevelDocument& doc, int32_t imageSet) { return usedEnemyRefers(doc, &Enemy::imageSet, imageSet); }
bool programInUse(const LevelDocument& doc, int32_t program) { return usedEnemyRefers(doc, &Enemy::program, program); }

void keepUsedSelections(const LevelDocument& doc, EditorState& state) {
    uint16_t used = 0;
    for (int slot = 0; slot < MAX_ENEMIES; ++slot)
        if (doc.enemies[slot].used) used |= uint16_t(1u << slot);
    selectEnemies(state, uint16_t(selectedEnemyMask(state) & used), false);
    if (!isUsedSlot(doc.imageSets, state.selectedImageSet)) state.selectedImageSet = -1;
}

}  // namespace qzt
