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
    int32_t hScroll = 0;
    int32_t vScroll = 0;
    int32_t recordEnemy = -1;
    int32_t recordProgram = 0;
    int32_t recordMovements = 0;
    int32_t lastDirection = 0;
    int32_t currentDirection = 0;
    int32_t recordX = 0;
    int32_t recordY = 0;
    int32_t previewStep = 0;
    int32_t previewX = 0;
    int32_t previewY = 0;
};

}  // namespace qzt
