#include "edit/view_editing.h"

#include "edit/hit_tests.h"
#include "edit/slot_rules.h"

namespace qzt {
namespace {

constexpr int MaxFrames = 8;

bool editable(const LevelDocument& doc, const EditorState& state) { return doc.loaded && state.mode == Normal; }

}  // namespace

bool selectAt(const LevelDocument& doc, EditorState& state, bool leftButton, Pointer p) {
    if (!editable(doc, state)) return false;
    if (leftButton) state.dragging = true;
    state.selectedImageSet = imageSetAt(doc, bitmapPoint(p.cx, p.cy, p.scroll));
    state.selectedEnemy = enemyAt(doc, levelPoint(p.cx, p.cy, p.scroll));
    return true;
}

bool grabResizeHandle(const LevelDocument& doc, EditorState& state, Pointer p) {
    const int handle = resizeHandleAt(doc, bitmapPoint(p.cx, p.cy, p.scroll));
    if (handle < 0) return false;
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
    if (!state.dragging || !editable(doc, state) || !insideView(p.cx, p.cy)) return outcome;
    if (isSlot(state.selectedImageSet, MAX_IMAGE_SETS)) {
        ImageSet& set = doc.imageSets[state.selectedImageSet];
        set.x = clampToInt(bitmap.x);
        set.y = clampToInt(bitmap.y);
        outcome.movedImageSet = true;
    } else if (isSlot(state.selectedEnemy, MAX_ENEMIES)) {
        const Point64 level = levelPoint(p.cx, p.cy, p.scroll);
        Enemy& enemy = doc.enemies[state.selectedEnemy];
        enemy.x = clampToInt(level.x);
        enemy.y = clampToInt(level.y);
        outcome.movedEnemy = true;
    }
    return outcome;
}

void releaseButton(EditorState& state) {
    state.dragging = false;
    if (state.mode == Resizing) state.mode = Normal;
}

SelectionDeletion deleteSelection(LevelDocument& doc, const EditorState& state) {
    SelectionDeletion outcome;
    if (!editable(doc, state)) return outcome;
    outcome.acted = true;
    if (isSlot(state.selectedEnemy, MAX_ENEMIES)) {
        doc.enemies[state.selectedEnemy].used = 0;  // enemyCount stays
    } else if (isSlot(state.selectedImageSet, MAX_IMAGE_SETS)) {
        if (imageSetInUse(doc, state.selectedImageSet))
            outcome.imageSetInUse = true;
        else
            doc.imageSets[state.selectedImageSet].used = 0;
    }
    return outcome;
}

bool commitEnemyField(LevelDocument& doc, const EditorState& state, EnemyField field, int32_t value) {
    if (!editable(doc, state) || !isSlot(state.selectedEnemy, MAX_ENEMIES)) return false;
    Enemy& enemy = doc.enemies[state.selectedEnemy];
    switch (field) {
    case EnemyField::Program:
        if (isUsedSlot(doc.programs, value)) enemy.program = value;
        break;
    case EnemyField::ImageSet:
        if (isUsedSlot(doc.imageSets, value)) enemy.imageSet = value;
        break;
    case EnemyField::HitPoints: enemy.hitPoints = value; break;
    case EnemyField::Speed: enemy.speed = value; break;
    case EnemyField::AnimationRate: enemy.animationRate = value; break;
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
