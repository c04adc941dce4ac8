// The Level Properties window: the level header and time bonus: created hidden at start-up, shown by its menu command.
#pragma once

#include <windows.h>

namespace qzt {

void createLevelPropertiesWindow();
void showLevelPropertiesWindow();
// At exit; the other tool windows end with the process.
void destroyLevelPropertiesWindow();
// Its two buttons are created hidden and shown with the main window.
void showLevelPropertiesButtons();
LRESULT CALLBACK levelPropertiesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
