// Recording a new program on the numeric keypad: each digit key is one step
// of the recording enemy in the key's direction.
#pragma once

#include <cstdint>

#include "edit/editor_state.h"
#include "level/level_document.h"

namespace qzt {

enum class RecordingStart { Started, NoEnemySelected, NoFreeProgram };
// A fresh program in the lowest free slot for the selected enemy, and the
// recording position on the enemy.
RecordingStart startRecording(LevelDocument& doc, EditorState& state);

// Virtual keys the recording knows.
constexpr unsigned KeyEnter = 0x0D;
constexpr unsigned KeyNumpad1 = 0x61;
constexpr unsigned KeyNumpad9 = 0x69;

enum class RecordKey {
    Ignored,      // not recording, or a key that records nothing
    Finished,     // Enter: back to Normal
    NewMovement,  // a change of direction started a movement
    Step,         // one more step of the current movement
    Refused,      // a 76th movement: nothing moved, nothing added
};
RecordKey recordKey(LevelDocument& doc, EditorState& state, unsigned key);

// dx and dy of a direction code; (0, 0) for STOP and for codes with none.
int directionDx(int32_t direction);
int directionDy(int32_t direction);

}  // namespace qzt
