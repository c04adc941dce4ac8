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
    // The primary enemy: the one the side panel shows, recorded for and
    // previewed; -1 for none. It is one of selectedEnemies, bit i for slot i.
    int32_t selectedEnemy = -1;
    uint16_t selectedEnemies = 0;
    int32_t selectedImageSet = -1;
    bool dragging = false;
    // A press on an enemy already among several selected: the release narrows
    // the selection to it, unless the press became a drag.
    bool narrowOnRelease = false;
    // A rubber band from a press on empty view space to the pointer, level
    // coordinates; with Ctrl held it adds to the selection.
    bool banding = false;
    bool bandAdds = false;
    int32_t bandFromX = 0, bandFromY = 0, bandToX = 0, bandToY = 0;
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
