#include "edit/copy_paste.h"

#include <algorithm>
#include <array>

#include "edit/enemy_selection.h"
#include "edit/slot_rules.h"

namespace qzt {
namespace {

bool sameImageSet(const ImageSet& a, const ImageSet& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.frameCount == b.frameCount;
}

// The movements that count: those below the count.
bool sameProgram(const EnemyProgram& a, const EnemyProgram& b) {
    if (a.movementCount != b.movementCount) return false;
    const int count = std::clamp(a.movementCount, 0, MAX_MOVEMENTS);
    for (int i = 0; i < count; ++i)
        if (a.direction[i] != b.direction[i] || a.steps[i] != b.steps[i] || a.firstFrame[i] != b.firstFrame[i] ||
            a.lastFrame[i] != b.lastFrame[i])
            return false;
    return true;
}

// Where each used slot of items goes in doc's slots (-1 for none): a used
// slot alike, else the lowest free one not yet taken. False when too few.
template <typename Record, size_t Slots, typename Same>
bool placeSlots(const Record (&target)[Slots], const Record (&items)[Slots], Same same, std::array<int, Slots>& to) {
    std::array<bool, Slots> taken{};
    for (size_t slot = 0; slot < Slots; ++slot) taken[slot] = target[slot].used;
    to.fill(-1);
    for (size_t slot = 0; slot < Slots; ++slot) {
        if (!items[slot].used) continue;
        for (size_t there = 0; there < Slots && to[slot] < 0; ++there)
            if (target[there].used && same(target[there], items[slot])) to[slot] = int(there);
        for (size_t there = 0; there < Slots && to[slot] < 0; ++there)
            if (!taken[there]) {
                taken[there] = true;
                to[slot] = int(there);
            }
        if (to[slot] < 0) return false;
    }
    return true;
}

// How far the items move: to `at` from the first one's corner, or the offset.
Point64 shift(std::optional<Point64> at, int64_t x, int64_t y) {
    return at ? Point64{at->x - x, at->y - y} : Point64{PasteOffset, PasteOffset};
}

}  // namespace

std::unique_ptr<LevelDocument> copiedItems(const LevelDocument& doc, const EditorState& state) {
    auto items = std::make_unique<LevelDocument>();
    items->loaded = 1;
    const uint16_t enemies = selectedEnemyMask(state);
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
        const Enemy& enemy = doc.enemies[slot];
        if (!(enemies >> slot & 1) || !enemy.used) continue;
        items->enemies[slot] = enemy;
        ++items->enemyCount;
        if (isUsedSlot(doc.imageSets, enemy.imageSet)) items->imageSets[enemy.imageSet] = doc.imageSets[enemy.imageSet];
        if (isUsedSlot(doc.programs, enemy.program)) items->programs[enemy.program] = doc.programs[enemy.program];
    }
    if (items->enemyCount == 0 && isUsedSlot(doc.imageSets, state.selectedImageSet))
        items->imageSets[state.selectedImageSet] = doc.imageSets[state.selectedImageSet];
    return items;
}

PasteOutcome pasteItems(LevelDocument& doc, EditorState& state, const LevelDocument& items,
                        std::optional<Point64> at) {
    const int first = firstUsedSlot(items.enemies);
    const int loneSet = first < 0 ? firstUsedSlot(items.imageSets) : -1;
    if (first < 0 && loneSet < 0) return PasteOutcome::NothingToPaste;

    // A lone image set moves; an enemy's image set is its pictures and stays.
    auto copy = std::make_unique<LevelDocument>(items);
    if (loneSet >= 0) {
        ImageSet& set = copy->imageSets[loneSet];
        const Point64 by = shift(at, set.x, set.y);
        set.x = clampToInt(set.x + by.x);
        set.y = clampToInt(set.y + by.y);
    }
    std::array<int, MAX_IMAGE_SETS> setTo;
    std::array<int, MAX_PROGRAMS> programTo;
    std::array<int, MAX_ENEMIES> enemyTo;
    const auto anyEnemy = [](const Enemy&, const Enemy&) { return false; };
    if (!placeSlots(doc.imageSets, copy->imageSets, sameImageSet, setTo)) return PasteOutcome::TooManyImageSets;
    if (!placeSlots(doc.programs, copy->programs, sameProgram, programTo)) return PasteOutcome::TooManyPrograms;
    if (!placeSlots(doc.enemies, copy->enemies, anyEnemy, enemyTo)) return PasteOutcome::TooManyEnemies;

    for (int slot = 0; slot < MAX_IMAGE_SETS; ++slot) {
        if (setTo[size_t(slot)] < 0) continue;
        ImageSet& set = doc.imageSets[setTo[size_t(slot)]];
        set = copy->imageSets[slot];
        set.slotIndex = setTo[size_t(slot)];
    }
    for (int slot = 0; slot < MAX_PROGRAMS; ++slot)
        if (programTo[size_t(slot)] >= 0) doc.programs[programTo[size_t(slot)]] = copy->programs[slot];
    uint16_t pasted = 0;
    if (first >= 0) {
        const Point64 by = shift(at, items.enemies[first].x, items.enemies[first].y);
        for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
            if (enemyTo[size_t(slot)] < 0) continue;
            Enemy enemy = copy->enemies[slot];
            enemy.x = clampToInt(enemy.x + by.x);
            enemy.y = clampToInt(enemy.y + by.y);
            // References to what was not copied along name this level's slots.
            if (isSlot(enemy.imageSet, MAX_IMAGE_SETS) && setTo[size_t(enemy.imageSet)] >= 0)
                enemy.imageSet = setTo[size_t(enemy.imageSet)];
            if (isSlot(enemy.program, MAX_PROGRAMS) && programTo[size_t(enemy.program)] >= 0)
                enemy.program = programTo[size_t(enemy.program)];
            doc.enemies[enemyTo[size_t(slot)]] = enemy;
            ++doc.enemyCount;
            pasted |= uint16_t(1u << enemyTo[size_t(slot)]);
        }
    }
    selectEnemies(state, pasted, false);
    if (first >= 0) state.selectedEnemy = enemyTo[size_t(first)];
    state.selectedImageSet = loneSet >= 0 ? setTo[size_t(loneSet)] : -1;
    return PasteOutcome::Pasted;
}

}  // namespace qzt
