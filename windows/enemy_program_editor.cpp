// The Edit Enemy Program window: no window of the class is created yet.
#include "windows/tool_windows.h"

namespace qzt {

LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qzt
