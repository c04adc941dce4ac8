#include "edit/preview.h"

#include "edit/recording.h"
#include "edit/slot_rules.h"

namespace qzt {
namespace {

constexpr int32_t PreviewRed = 250;

void putPenOnEnemy(const Enemy& enemy, EditorState& state, Scroll scroll) {
    state.previewX = clientXOfLevel(enemy.x, scroll);
    state.previewY = clientYOfLevel(enemy.y, scroll);
}

// The program the selected enemy names, used or not; null when there is none.
const EnemyProgram* previewedProgram(const LevelDocument& doc, const EditorState& state) {
    if (!doc.loaded || !isSlot(state.selectedEnemy, MAX_ENEMIES)) return nullptr;
    const int32_t program = doc.enemies[state.selectedEnemy].program;
    return isSlot(program, MAX_PROGRAMS) ? &doc.programs[program] : nullptr;
}

// Draws movement s of program; false for a movement that draws nothing.
bool strokeOf(const EnemyProgram& program, int32_t s, int64_t speed, const EditorState& state, PreviewStroke& stroke) {
    // Only recorded movements: entries past the count are stale.
    if (!isSlot(s, MAX_MOVEMENTS) || s >= program.movementCount) return false;
    const int32_t direction = program.direction[s];
    const int x = state.previewX, y = state.previewY;
    stroke.from = {x, y};
    if (direction == STOP) {
        stroke.kind = PreviewStroke::Circle;
        stroke.left = clampToInt(int64_t(x) - 2);
        stroke.top = clampToInt(int64_t(y) - 2);
        stroke.right = clampToInt(int64_t(x) + 4);
        stroke.bottom = clampToInt(int64_t(y) + 4);
        return true;
    }
    if (direction < DOWNLEFT || direction > UPRIGHT) return false;
    const int64_t distance = program.steps[s] * speed;
    stroke.kind = PreviewStroke::Line;
    stroke.to = {clampToInt(x + directionDx(direction) * distance), clampToInt(y + directionDy(direction) * distance)};
    return true;
}

}  // namespace

void restartPreview(const LevelDocument& doc, EditorState& state, Scroll scroll) {
    state.previewStep = 0;
    if (isSlot(state.selectedEnemy, MAX_ENEMIES)) putPenOnEnemy(doc.enemies[state.selectedEnemy], state, scroll);
}

Colour previewColour(int32_t count, int32_t step) {
    const int64_t green = (PreviewRed / (int64_t(count) + 1) * step) % 256;
    return Colour(green) << 8 | PreviewRed;
}

PreviewTick advancePreview(const LevelDocument& doc, EditorState& state, Scroll scroll) {
    PreviewTick tick;
    const EnemyProgram* program = previewedProgram(doc, state);
    if (!program) return tick;
    tick.runs = true;
    const Enemy& enemy = doc.enemies[state.selectedEnemy];
    const int32_t count = program->movementCount, step = state.previewStep;
    tick.draws = strokeOf(*program, step, enemy.speed, state, tick.stroke);
    if (tick.draws) {
        tick.stroke.colour = previewColour(count, step);
        if (tick.stroke.kind == PreviewStroke::Line) {
            state.previewX = tick.stroke.to.x;
            state.previewY = tick.stroke.to.y;
        }
    }
    if (count <= ++state.previewStep) {
        state.previewStep = 0;
        putPenOnEnemy(enemy, state, scroll);
    }
    return tick;
}

std::vector<OutlinePolyline> outlinePolylines(const LevelDocument& doc, Scroll scroll) {
    std::vector<OutlinePolyline> polylines;
    for (const ImageSet& set : doc.imageSets) {
        if (!set.used) continue;
        const int64_t left = int64_t(set.x) + ViewLeft - scroll.h;
        const int64_t top = int64_t(set.y) + ViewTop - scroll.v - LevelOriginRow;
        const int64_t cell = int64_t(set.width) + 1;
        const int x0 = clampToInt(left), y0 = clampToInt(top);
        const int x1 = clampToInt(left + cell), y1 = clampToInt(top + set.height + 1);
        const int strip = clampToInt(left + cell * set.frameCount);
        polylines.push_back({{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}, {strip, y0}, {strip, y1}, {x0, y1}}});
    }
    return polylines;
}

OutlinePlan nextOutlines(const LevelDocument& doc, EditorState& state, Scroll scroll) {
    OutlinePlan plan;
    if (!doc.loaded) return plan;
    plan.runs = true;
    state.outlineBlink = !state.outlineBlink;
    plan.colour = state.outlineBlink ? OutlineGreen : OutlineBlue;
    plan.polylines = outlinePolylines(doc, scroll);
    return plan;
}

}  // namespace qzt
