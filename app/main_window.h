// The main window's procedure.
#pragma once

#include <windows.h>

namespace qzt {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
