// The main window: its creation and its window procedure.
#pragma once

#include <windows.h>

namespace qzt {

// "QZT Level Editor", 640 x 480, centred on the work area's right and bottom
// edges, with the menu bar; stored in shell.mainWindow.
void createMainWindow(HMENU menuBar);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
