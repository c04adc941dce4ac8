#include "edit/view_plan.h"

#include "edit/slot_rules.h"
#include "level/decimal.h"

namespace qzt {
namespace {

// A frame is copied one column and one row wider on each far side.
BitmapCopy firstFrameAt(const ImageSet& set, int64_t levelX, int64_t levelY, Scroll scroll) {
    return {clientXOfLevel(levelX, scroll), clientYOfLevel(levelY, scroll), clampToInt(int64_t(set.width) + 2),
            clampToInt(int64_t(set.height) + 2), set.x, set.y};
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

}  // namespace

ViewPlan planLevelView(const LevelDocument& doc, const EditorState& state, Scroll scroll) {
    ViewPlan plan;
    plan.copies.push_back({ViewLeft, ViewTop, ViewWidth, ViewHeight, scroll.h, scroll.v + LevelOriginRow});
    for (int i = 0; i < doc.enemyCount && i < MAX_ENEMIES; ++i) {
        const Enemy& enemy = doc.enemies[i];
        if (enemy.used && isUsedSlot(doc.imageSets, enemy.imageSet))
            plan.copies.push_back(firstFrameAt(doc.imageSets[enemy.imageSet], enemy.x, enemy.y, scroll));
    }
    if (state.mode != Recording) return plan;
    // The recording enemy is drawn whether or not its image set is in use.
    if (isSlot(state.recordEnemy, MAX_ENEMIES)) {
        const int32_t set = doc.enemies[state.recordEnemy].imageSet;
        if (isSlot(set, MAX_IMAGE_SETS))
            plan.copies.push_back(firstFrameAt(doc.imageSets[set], state.recordX, state.recordY, scroll));
    }
    plan.writesSteps = true;
    plan.stepsText = recordStepsText(doc, state);
    return plan;
}

}  // namespace qzt
