// What the editor keeps for the whole run: the document, the interaction
// state, the level bitmap and the handles of every window and control. One
// instance, `editor`. Low enough for gfx/ and windows/ to include: it knows no
// window procedure.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "level/level_document.h"

namespace qzt {

// The level view, in client coordinates of the main window.
constexpr int ViewLeft = 10;
constexpr int ViewTop = 10;
constexpr int ViewWidth = 500;
constexpr int ViewHeight = 380;
// The vertical scroll range is 0..(bitmap height - this): the bitmap's last
// row then lies at the bottom of the view.
constexpr int VerticalScrollMargin = LevelOriginRow + ViewHeight;

// System colour COLOR_MENU + 1: every window class's background, and the
// brush that blanks a panel value before it is rewritten.
inline HBRUSH panelBrush() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1)); }

constexpr int FileNameCapacity = 500;

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

// The one loaded bitmap: the logo first, then each level's. The palette,
// width and height are written by LoadBmpFile through pointers.
struct LevelBitmapCells {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

struct MainWindowHandles {
    HWND window = nullptr;
    HMENU menuBar = nullptr;
    HWND horizontalScrollBar = nullptr;
    HWND verticalScrollBar = nullptr;
    // Enemy panel.
    HWND enemyIndexText = nullptr;
    HWND enemyXText = nullptr;
    HWND enemyYText = nullptr;
    HWND enemyImageSetEdit = nullptr;
    HWND enemyProgramEdit = nullptr;
    HWND enemyHitPointsEdit = nullptr;
    HWND enemySpeedEdit = nullptr;
    HWND enemyAnimationRateEdit = nullptr;
    // Image-set panel.
    HWND imageSetIndexText = nullptr;
    HWND imageSetXText = nullptr;
    HWND imageSetYText = nullptr;
    HWND framesCombo = nullptr;
    // Recording line below the view.
    HWND recordProgramText = nullptr;
    HWND recordStepsText = nullptr;
};

// The tool windows live from start-up to exit, hidden until a command shows them.
struct ToolWindowHandles {
    HWND levelPropertiesWindow = nullptr;
};

struct EditorGlobals {
    LevelDocument document;
    EditorState state;
    LevelBitmapCells levelBitmap;
    MainWindowHandles main;
    ToolWindowHandles tools;
    HINSTANCE instance = nullptr;
    RECT workArea{};
    HRGN viewClipRegion = nullptr;
    char fileNameBuffer[FileNameCapacity] = {};
    OPENFILENAMEA fileDialogRecord{};
};

extern EditorGlobals editor;

}  // namespace qzt
