#include "edit/view_editing.h"

#include <algorithm>

#include "edit/enemy_selection.h"
#include "edit/hit_tests.h"
#include "edit/slot_rules.h"

namespace qzt {
namespace {

constexpr int MaxFrames = 8;

bool editable(const LevelDocument& doc, const EditorState& state) { return doc.loaded && state.mode == Normal; }

void startBand(EditorState& state, Pointer p, bool adding) {
    const Point64 level = levelPoint(p.cx, p.cy, p.scroll);
    state.banding = true;
    state.bandAdds = adding;
    state.bandFromX = state.bandToX = clampToInt(level.x);
    state.bandFromY = state.bandToY = clampToInt(level.y);
}

// The enemies whose boxes the band touches, its corners included.
uint16_t enemiesInBand(const LevelDocument& doc, const EditorState& state) {
    const int64_t left = std::min(state.bandFromX, state.bandToX), right = std::max(state.bandFromX, state.bandToX);
    const int64_t top = std::min(state.bandFromY, state.bandToY), bottom = std::max(state.bandFromY, state.bandToY);
    uint16_t mask = 0;
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
        LevelBox box;
        if (enemyBox(doc, slot, box) && box.left <= right && box.right > left && box.top <= bottom && box.bottom > top)
            mask |= uint16_t(1u << slot);
    }
    return mask;
}

void moveEnemies(LevelDocument& doc, const EditorState& state, int64_t dx, int64_t dy) {
    const uint16_t selected = selectedEnemyMask(state);
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
        if (!(selected >> slot & 1)) continue;
        Enemy& enemy = doc.enemies[slot];
        enemy.x = clampToInt(enemy.x + dx);
        enemy.y = clampToInt(enemy.y + dy);
    }
}

}  // namespace

bool enemyBox(const LevelDocument& doc, int slot, LevelBox& box) {
    if (!isUsedSlot(doc.enemies, slot)) return false;
    const Enemy& enemy = doc.enemies[slot];
    if (!isUsedSlot(doc.imageSets, enemy.imageSet)) return false;
    const ImageSet& set = doc.imageSets[enemy.imageSet];
    box = {enemy.x, enemy.y, int64_t(enemy.x) + set.width + 2, int64_t(enemy.y) + set.height + 2};
    return true;
}

bool selectAt(const LevelDocument& doc, EditorState& state, bool leftButton, Pointer p, bool adding) {
    if (!editable(doc, state)) return false;
    const int set = imageSetAt(doc, bitmapPoint(p.cx, p.cy, p.scroll));
    const int enemy = enemyAt(doc, levelPoint(p.cx, p.cy, p.scroll));
    state.narrowOnRelease = false;
    const bool empty = set < 0 && enemy < 0;
    if (adding) {
        toggleEnemy(state, enemy);
        if (empty && leftButton) startBand(state, p, true);
        return true;
    }
    state.selectedImageSet = set;
    if (enemySelected(state, enemy) && selectedEnemyCount(state) > 1) {
        state.selectedEnemy = enemy;
        state.narrowOnRelease = true;
    } else {
        selectOnlyEnemy(state, enemy);
    }
    if (leftButton && empty)
        startBand(state, p, false);
    else if (leftButton)
        state.dragging = true;
    return true;
}

bool grabResizeHandle(const LevelDocument& doc, EditorState& state, Pointer p) {
    const int handle = resizeHandleAt(doc, bitmapPoint(p.cx, p.cy, p.scroll));
    if (handle < 0) return false;
    // Just right of a set is empty space, where a press started a band.
    state.banding = false;
    state.mode = Resizing;
    state.selectedImageSet = handle;
    return true;
}

MoveOutcome movePointer(LevelDocument& doc, EditorState& state, Pointer p) {
    MoveOutcome outcome;
    const Point64 bitmap = bitmapPoint(p.cx, p.cy, p.scroll);
    outcome.overResizeHandle = resizeHandleAt(doc, bitmap) >= 0;
    if (state.mode == Resizing && isSlot(state.selectedImageSet, MAX_IMAGE_SETS)) {
        // No bounds: a pointer left of the set gives a negative width.
        ImageSet& set = doc.imageSets[state.selectedImageSet];
        set.width = clampToInt(bitmap.x - set.x);
        set.height = clampToInt(bitmap.y - set.y);
        outcome.resized = true;
    }
    if (state.banding) {
        const Point64 level = levelPoint(p.cx, p.cy, p.scroll);
        state.bandToX = clampToInt(level.x);
        state.bandToY = clampToInt(level.y);
        outcome.movedBand = true;
        return outcome;
    }
    if (!state.dragging || !editable(doc, state) || !insideView(p.cx, p.cy)) return outcome;
    if (isSlot(state.selectedImageSet, MAX_IMAGE_SETS)) {
        ImageSet& set = doc.imageSets[state.selectedImageSet];
        set.x = clampToInt(bitmap.x);
        set.y = clampToInt(bitmap.y);
        outcome.movedImageSet = true;
    } else if (isSlot(state.selectedEnemy, MAX_ENEMIES)) {
        // The others keep their distance from the primary one.
        const Point64 level = levelPoint(p.cx, p.cy, p.scroll);
        const Enemy& primary = doc.enemies[state.selectedEnemy];
        const int64_t dx = level.x - primary.x, dy = level.y - primary.y;
        if (dx != 0 || dy != 0) state.narrowOnRelease = false;
        moveEnemies(doc, state, dx, dy);
        outcome.movedEnemy = true;
    }
    return outcome;
}

bool gestureUnderWay(const EditorState& state) { return state.dragging || state.banding || state.mode == Resizing; }

bool releaseButton(const LevelDocument& doc, EditorState& state) {
    bool changed = false;
    // A band never drawn out was a click on empty space.
    if (state.banding && (state.bandFromX != state.bandToX || state.bandFromY != state.bandToY)) {
        selectEnemies(state, enemiesInBand(doc, state), state.bandAdds);
        changed = true;
    }
    state.banding = false;
    if (state.narrowOnRelease) {
        selectOnlyEnemy(state, state.selectedEnemy);
        changed = true;
    }
    state.narrowOnRelease = false;
    state.dragging = false;
    if (state.mode == Resizing) state.mode = Normal;
    return changed;
}

SelectionDeletion deleteSelection(LevelDocument& doc, const EditorState& state) {
    SelectionDeletion outcome;
    if (!editable(doc, state)) return outcome;
    outcome.acted = true;
    const uint16_t enemies = selectedEnemyMask(state);
    if (enemies) {
        for (int slot = 0; slot < MAX_ENEMIES; ++slot)
            if (enemies >> slot & 1) doc.enemies[slot].used = 0;  // enemyCount stays
    } else if (isSlot(state.selectedImageSet, MAX_IMAGE_SETS)) {
        if (imageSetInUse(doc, state.selectedImageSet))
            outcome.imageSetInUse = true;
        else
            doc.imageSets[state.selectedImageSet].used = 0;
    }
    return outcome;
}

bool nudgeSelection(LevelDocument& doc, const EditorState& state, int dx, int dy) {
    if (!editable(doc, state)) return false;
    if (selectedEnemyMask(state)) {
        moveEnemies(doc, state, dx, dy);
        return true;
    }
    if (!isSlot(state.selectedImageSet, MAX_IMAGE_SETS)) return false;
    ImageSet& set = doc.imageSets[state.selectedImageSet];
    set.x = clampToInt(int64_t(set.x) + dx);
    set.y = clampToInt(int64_t(set.y) + dy);
    return true;
}

bool commitEnemyField(LevelDocument& doc, const EditorState& state, EnemyField field, int32_t value) {
    if (!editable(doc, state) || !isSlot(state.selectedEnemy, MAX_ENEMIES)) return false;
    // A slot that is no used one is no value for any of them.
    if (field == EnemyField::Program && !isUsedSlot(doc.programs, value)) return true;
    if (field == EnemyField::ImageSet && !isUsedSlot(doc.imageSets, value)) return true;
    const uint16_t selected = selectedEnemyMask(state);
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
        if (!(selected >> slot & 1)) continue;
        Enemy& enemy = doc.enemies[slot];
        switch (field) {
        case EnemyField::Program: enemy.program = value; break;
        case EnemyField::ImageSet: enemy.imageSet = value; break;
        case EnemyField::HitPoints: enemy.hitPoints = value; break;
        case EnemyField::Speed: enemy.speed = value; break;
        case EnemyField::AnimationRate: enemy.animationRate = value; break;
        }
    }
    return true;
}

bool applyFramesSelection(LevelDocument& doc, const EditorState& state, int selection) {
    if (!editable(doc, state)) return false;
    // No selection (a frame count the list lacks) must not become a count:
    // the list notifies on a mere change of focus.
    if (isSlot(state.selectedImageSet, MAX_IMAGE_SETS) && isSlot(selection, MaxFrames))
        doc.imageSets[state.selectedImageSet].frameCount = selection + 1;
    return true;
}

int framesSelectionOf(int32_t frameCount) { return frameCount >= 1 && frameCount <= MaxFrames ? frameCount - 1 : -1; }

int newImageSet(LevelDocument& doc) {
    const int slot = lowestFreeImageSet(doc);
    if (slot < 0) return slot;
    ImageSet& set = doc.imageSets[slot];
    set.used = 1;
    set.x = 1;
    set.y = LevelOriginRow + 1;
    set.width = 40;
    set.height = 50;
    set.frameCount = 2;
    set.slotIndex = slot;
    return slot;
}

}  // namespace qzt
