// The main window's interaction state: selection, drag, scroll, recording and
// preview. Plain data shared by the editing rules and the window code.
#pragma once

#include <cstdint>

namespace qzt {

enum EditorMode : int32_t {
    Normal = 1,
    Recording = 2,
    Resizing = 3,
};

struct EditorState {
    EditorMode mode = Normal;
    int32_t selectedEnemy = -1;
    int32_t selectedImageSet = -1;
    bool dragging = false;
    bool outlineBlink = true;
    // Where the scroll handlers last put the bars. A load resets them to 0
    // while the bars keep their positions, so they are no view position:
    // the view reads the bars.
    int32_t trackedHScroll = 0;
    int32_t trackedVScroll = 0;
    int32_t recordEnemy = -1;
    int32_t recordProgram = 0;
    int32_t recordMovements = 0;
    int32_t lastDirection = 0;
    int32_t recordX = 0;
    int32_t recordY = 0;
    int32_t previewStep = 0;
    int32_t previewX = 0;
    int32_t previewY = 0;
};

}  // namespace qzt
