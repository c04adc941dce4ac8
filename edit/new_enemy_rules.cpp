#include "edit/new_enemy_rules.h"

#include "edit/slot_rules.h"
#include "level/decimal.h"

namespace qzt {
namespace {

template <typename Record, int Slots>
int32_t listedSlot(const Record (&slots)[Slots], const char* itemText) {
    if (!itemText) return -1;
    const int32_t slot = parseDecimal(itemText);
    return isUsedSlot(slots, slot) ? slot : -1;
}

}  // namespace

int32_t listedImageSet(const LevelDocument& doc, const char* itemText) { return listedSlot(doc.imageSets, itemText); }
int32_t listedProgram(const LevelDocument& doc, const char* itemText) { return listedSlot(doc.programs, itemText); }

NewEnemyOutcome createEnemy(LevelDocument& doc, const NewEnemyChoice& choice) {
    const int slot = lowestFreeEnemy(doc);
    if (slot < 0) return NewEnemyOutcome::NoFreeSlot;
    if (!isUsedSlot(doc.imageSets, choice.imageSet) || !isUsedSlot(doc.programs, choice.program))
        return NewEnemyOutcome::NothingChosen;

    Enemy& enemy = doc.enemies[slot];
    enemy.used = 1;
    ++doc.enemyCount;
    enemy.imageSet = choice.imageSet;
    enemy.program = choice.program;
    enemy.hitPoints = choice.hitPoints;
    enemy.speed = choice.speed;
    enemy.animationRate = choice.animationRate;
    enemy.x = 1;
    enemy.y = 1;
    return NewEnemyOutcome::Created;
}

}  // namespace qzt
