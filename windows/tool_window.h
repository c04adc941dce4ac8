// The kind of window the three tool windows are.
#pragma once

#include <windows.h>

namespace qzt {

// Hidden, always on top, with a caption and sizing border but no system
// menu, so only its own buttons dismiss it. Placed at (right / 2 - left,
// bottom / 2 - up) of the work area read at start-up. Disabled while a
// question of the editor is up.
HWND createToolWindow(const char* className, const char* title, int left, int up, int width, int height);

}  // namespace qzt
