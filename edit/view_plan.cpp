#include "edit/view_plan.h"

#include "edit/enemy_selection.h"
#include "edit/motion.h"
#include "edit/slot_rules.h"
#include "edit/view_editing.h"
#include "level/decimal.h"

namespace qzt {
namespace {

// A frame is copied one column and one row wider on each far side; the
// frames lie side by side, each sharing its right column with the next.
BitmapCopy frameAt(const ImageSet& set, int32_t frame, Point64 level, Scroll scroll) {
    const int64_t cell = int64_t(frame) * (int64_t(set.width) + 1);
    return {clientXOfLevel(level.x, scroll), clientYOfLevel(level.y, scroll), clampToInt(int64_t(set.width) + 2),
            clampToInt(int64_t(set.height) + 2), clampToInt(set.x + cell), set.y};
}

// The background, then in slot order every placed enemy whose image set is
// in use, drawn as poseOf(enemy) puts it.
template <typename PoseOf>
ViewPlan planBackgroundAndEnemies(const LevelDocument& doc, Scroll scroll, PoseOf poseOf) {
    ViewPlan plan;
    plan.copies.push_back({ViewLeft, ViewTop, ViewWidth, ViewHeight, scroll.h, scroll.v + LevelOriginRow});
    for (int i = 0; i < doc.enemyCount && i < MAX_ENEMIES; ++i) {
        const Enemy& enemy = doc.enemies[i];
        if (!enemy.used || !isUsedSlot(doc.imageSets, enemy.imageSet)) continue;
        const MotionPose pose = poseOf(enemy);
        plan.copies.push_back(frameAt(doc.imageSets[enemy.imageSet], pose.frame, pose.position, scroll));
    }
    return plan;
}

// Steps of the movement being recorded; "0" before the first keypad key.
std::string recordStepsText(const LevelDocument& doc, const EditorState& state) {
    const int32_t movement = state.recordMovements - 1;
    std::string text;
    if (isSlot(state.recordProgram, MAX_PROGRAMS) && isSlot(movement, MAX_MOVEMENTS))
        appendDecimal(text, doc.programs[state.recordProgram].steps[movement]);
    else
        text = "0";
    return text;
}

PlanRectangle rectangleAt(int64_t left, int64_t top, int64_t right, int64_t bottom, Scroll scroll) {
    return {clientXOfLevel(left, scroll), clientYOfLevel(top, scroll), clientXOfLevel(right, scroll),
            clientYOfLevel(bottom, scroll)};
}

// Each selected enemy outlined just outside its box, and the band.
void planSelection(const LevelDocument& doc, const EditorState& state, Scroll scroll, ViewPlan& plan) {
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
        LevelBox box;
        if (enemySelected(state, slot) && enemyBox(doc, slot, box))
            plan.rectangles.push_back(rectangleAt(box.left - 1, box.top - 1, box.right, box.bottom, scroll));
    }
    if (state.banding)
        plan.rectangles.push_back(rectangleAt(state.bandFromX, state.bandFromY, state.bandToX, state.bandToY, scroll));
}

}  // namespace

ViewPlan planLevelView(const LevelDocument& doc, const EditorState& state, Scroll scroll) {
    // Each enemy where it is placed, as its first frame.
    const auto placed = [](const Enemy& enemy) { return MotionPose{{enemy.x, enemy.y}}; };
    ViewPlan plan = planBackgroundAndEnemies(doc, scroll, placed);
    // A recording shows the enemy it moves, not the selection.
    if (state.mode != Recording) {
        planSelection(doc, state, scroll, plan);
        return plan;
    }
    // The recording enemy is drawn whether or not its image set is in use.
    if (isSlot(state.recordEnemy, MAX_ENEMIES)) {
        const int32_t set = doc.enemies[state.recordEnemy].imageSet;
        if (isSlot(set, MAX_IMAGE_SETS))
            plan.copies.push_back(frameAt(doc.imageSets[set], 0, {state.recordX, state.recordY}, scroll));
    }
    plan.writesSteps = true;
    plan.stepsText = recordStepsText(doc, state);
    return plan;
}

ViewPlan planLevelViewAt(const LevelDocument& doc, Scroll scroll, int64_t gameFrame) {
    const auto moving = [&](const Enemy& enemy) { return EnemyMotion(doc, enemy).at(gameFrame); };
    return planBackgroundAndEnemies(doc, scroll, moving);
}

}  // namespace qzt
