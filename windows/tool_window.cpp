#include "windows/tool_window.h"

#include "win32/modal.h"
#include "win32/shell.h"

namespace qzt {

HWND createToolWindow(const char* className, const char* title, int left, int up, int width, int height) {
    const RECT& work = shell.workArea;
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, title, WS_THICKFRAME,
                                  work.right / 2 - left, work.bottom / 2 - up, width, height, nullptr, nullptr,
                                  shell.instance, nullptr);
    addToolWindow(window);
    return window;
}

}  // namespace qzt
