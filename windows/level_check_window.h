// The Level Check window: the level check's findings of the open level, made
// again after every change while it is shown; a double-click on one shows
// its enemy or image set in the view, or opens its program.
#pragma once

#include <windows.h>

namespace qzt {

// From start-up on; the window itself is made when first shown.
void followLevelForLevelCheck();
void showLevelCheckWindow();
LRESULT CALLBACK levelCheckProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
