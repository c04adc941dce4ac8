// The main window's scroll bars, side panel and recording line, laid out at
// the window's DPI around the view, which may be magnified more.
#pragma once

#include <windows.h>

namespace qzt {

// The side panel's value controls and the recording line's program number;
// the scroll bars and the step count are the shell's, for the view's drawing.
struct SidePanelControls {
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
};

extern SidePanelControls sidePanel;

// The thirty child controls in their fixed order, and the eight frame counts
// of FramesCombo, placed for the window's DPI at zoom. The scroll bars
// start hidden.
void createMainControls(int zoom);

// What lies right of the view and below it keeps its distance from the
// view's edges; the view itself lies at 10, 10 scaled, 500 x 380 times zoom.
// Places the controls and the view (shell.view); returns the client size
// they need, the status bar left out.
SIZE layOutMainControls(UINT dpi, int zoom);
// The same size, nothing moved.
SIZE mainControlsSize(UINT dpi, int zoom);

}  // namespace qzt
