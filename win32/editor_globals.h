// What the editor keeps for the whole run: the document, the interaction
// state, the level bitmap and the handles of every window and control. One
// instance, `editor`. Low enough for gfx/ and windows/ to include: it knows no
// window procedure.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "edit/editor_state.h"
#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

// System colour COLOR_MENU + 1: every window class's background, and the
// brush that blanks a panel value before it is rewritten.
inline HBRUSH panelBrush() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1)); }

constexpr int FileNameCapacity = 500;

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

// Captions that name the kind of action that failed.
constexpr char LoadingCaption[] = "Dat file Loading Error";
constexpr char EditingCaption[] = "Editing Action Error";

// What the user must know, in a box owned by the main window.
inline void notice(const char* text, const char* caption) {
    MessageBoxA(editor.main.window, text, caption, MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
}

// Shown over an image set's resize handle.
extern const HCURSOR ResizeCursor;

}  // namespace qzt
