// The DPI of the monitor a window is on, and the system's message font at it.
#pragma once

#include <windows.h>

namespace qzt {

UINT dpiOf(HWND window);

// The font the system shows messages in, at dpi; kept for the rest of the run.
HFONT messageFont(UINT dpi);

}  // namespace qzt
