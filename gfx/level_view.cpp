#include "gfx/level_view.h"

#include <climits>
#include <cstdint>
#include <string>

#include "app/editor_globals.h"
#include "gfx/rect.h"
#include "level/decimal.h"

namespace qzt {
namespace {

bool isSlot(int32_t index, int slots) { return index >= 0 && index < slots; }

// Positions and sizes come from the data file unchecked; GDI takes ints.
int clampToInt(int64_t value) {
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// An enemy is its image set's first frame with one more column and row on
// each far side, copied from the level bitmap; (levelX, levelY) is in level
// coordinates.
void drawFirstFrame(HDC window, HDC bitmap, const ImageSet& set, int32_t levelX, int32_t levelY, int h, int v) {
    BitBlt(window, clampToInt(int64_t(levelX) - h + ViewLeft), clampToInt(int64_t(levelY) - v + ViewTop),
           clampToInt(int64_t(set.width) + 2), clampToInt(int64_t(set.height) + 2), bitmap, set.x, set.y, SRCCOPY);
}

// The preview starts again from the selected enemy, with its first movement.
void restartPreview(int h, int v) {
    EditorState& state = editor.state;
    state.previewStep = 0;
    if (!isSlot(state.selectedEnemy, MAX_ENEMIES)) return;
    const Enemy& enemy = editor.document.enemies[state.selectedEnemy];
    state.previewX = clampToInt(int64_t(enemy.x) + ViewLeft - h);
    state.previewY = clampToInt(int64_t(enemy.y) + ViewTop - v);
}

void drawEnemies(HDC window, HDC bitmap, int h, int v) {
    const LevelDocument& doc = editor.document;
    for (int i = 0; i < doc.enemyCount && i < MAX_ENEMIES; ++i) {
        const Enemy& enemy = doc.enemies[i];
        if (!enemy.used || !isSlot(enemy.imageSet, MAX_IMAGE_SETS)) continue;
        const ImageSet& set = doc.imageSets[enemy.imageSet];
        if (set.used) drawFirstFrame(window, bitmap, set, enemy.x, enemy.y, h, v);
    }
}

// The enemy being recorded, once more at the recording position.
void drawRecordingEnemy(HDC window, HDC bitmap, int h, int v) {
    const EditorState& state = editor.state;
    if (!isSlot(state.recordEnemy, MAX_ENEMIES)) return;
    const int32_t set = editor.document.enemies[state.recordEnemy].imageSet;
    if (isSlot(set, MAX_IMAGE_SETS)) drawFirstFrame(window, bitmap, editor.document.imageSets[set], state.recordX, state.recordY, h, v);
}

// Steps of the movement being recorded; "0" before the first keypad key.
std::string recordStepsText() {
    const EditorState& state = editor.state;
    const int32_t movement = state.recordMovements - 1;
    std::string text;
    if (isSlot(state.recordProgram, MAX_PROGRAMS) && isSlot(movement, MAX_MOVEMENTS))
        appendDecimal(text, editor.document.programs[state.recordProgram].steps[movement]);
    else
        text = "0";
    return text;
}

}  // namespace

void RedrawLevelView() {
    const MainWindowHandles& main = editor.main;
    const int h = GetScrollPos(main.horizontalScrollBar, SB_CTL);
    const int v = GetScrollPos(main.verticalScrollBar, SB_CTL);
    restartPreview(h, v);

    HDC window = GetDC(main.window);
    HDC bitmap = CreateCompatibleDC(window);
    HBITMAP levelBitmap = editor.levelBitmap.bitmap;
    HGDIOBJ previous = levelBitmap ? SelectObject(bitmap, levelBitmap) : nullptr;

    // The step count of the recording line and the free space to its right.
    const RECT stepCount = makeRect(350, 410, 450, 432);
    FillRect(window, &stepCount, panelBrush());
    SelectClipRgn(window, editor.viewClipRegion);
    const bool recording = editor.state.mode == Recording;
    if (levelBitmap) {
        BitBlt(window, ViewLeft, ViewTop, ViewWidth, ViewHeight, bitmap, h, v + LevelOriginRow, SRCCOPY);
        drawEnemies(window, bitmap, h, v);
        if (recording) drawRecordingEnemy(window, bitmap, h, v);
    } else {
        const RECT view = makeRect(ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight);
        FillRect(window, &view, panelBrush());
    }
    if (recording) SetWindowTextA(main.recordStepsText, recordStepsText().c_str());

    if (previous) SelectObject(bitmap, previous);
    ReleaseDC(main.window, window);
    DeleteDC(bitmap);
}

}  // namespace qzt
