#include "edit/recording.h"

#include <cstdint>

#include "edit/slot_rules.h"
#include "edit/view_geometry.h"

namespace qzt {
namespace {

bool isDirection(int32_t direction) { return direction >= DOWNLEFT && direction <= UPRIGHT; }

}  // namespace

int directionDx(int32_t direction) { return isDirection(direction) ? (direction - 1) % 3 - 1 : 0; }
int directionDy(int32_t direction) { return isDirection(direction) ? 1 - (direction - 1) / 3 : 0; }

RecordingStart startRecording(LevelDocument& doc, EditorState& state) {
    if (!isSlot(state.selectedEnemy, MAX_ENEMIES)) return RecordingStart::NoEnemySelected;
    const int program = lowestFreeProgram(doc);
    if (program < 0) return RecordingStart::NoFreeProgram;
    Enemy& enemy = doc.enemies[state.selectedEnemy];
    state.mode = Recording;
    state.recordEnemy = state.selectedEnemy;
    state.recordX = enemy.x;
    state.recordY = enemy.y;
    state.recordMovements = 0;
    state.lastDirection = 0;
    // The slot's old movements stay until overwritten; the enemy's previous
    // program stays used.
    doc.programs[program].used = 1;
    doc.programs[program].movementCount = 0;
    enemy.program = program;
    state.recordProgram = program;
    return RecordingStart::Started;
}

RecordKey recordKey(LevelDocument& doc, EditorState& state, unsigned key) {
    if (!doc.loaded || state.mode != Recording) return RecordKey::Ignored;
    if (key == KeyEnter) {
        state.mode = Normal;
        return RecordKey::Finished;
    }
    // Other keys record nothing: they have no direction to step in.
    if (key < KeyNumpad1 || key > KeyNumpad9) return RecordKey::Ignored;
    if (!isSlot(state.recordProgram, MAX_PROGRAMS) || !isSlot(state.recordEnemy, MAX_ENEMIES))
        return RecordKey::Ignored;
    EnemyProgram& program = doc.programs[state.recordProgram];
    const int32_t direction = int32_t(key - KeyNumpad1) + 1;
    const bool newMovement = direction != state.lastDirection;
    const int32_t current = state.recordMovements - 1;
    if (newMovement ? state.recordMovements >= MAX_MOVEMENTS || program.movementCount >= MAX_MOVEMENTS
                    : !isSlot(current, MAX_MOVEMENTS))
        return RecordKey::Refused;

    const int64_t speed = doc.enemies[state.recordEnemy].speed;
    state.recordX = clampToInt(state.recordX + directionDx(direction) * speed);
    state.recordY = clampToInt(state.recordY + directionDy(direction) * speed);
    if (!newMovement) {
        if (program.steps[current] < INT32_MAX) ++program.steps[current];
        return RecordKey::Step;
    }
    state.lastDirection = direction;
    const int32_t k = state.recordMovements++;
    program.direction[k] = direction;
    program.firstFrame[k] = 0;
    program.lastFrame[k] = 0;
    program.steps[k] = 1;
    ++program.movementCount;
    return RecordKey::NewMovement;
}

}  // namespace qzt
