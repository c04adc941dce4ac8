#include "windows/tool_window.h"

#include "win32/shell.h"

namespace qzt {

HWND createToolWindow(const char* className, const char* title, int left, int up, int width, int height) {
    const RECT& work = shell.workArea;
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, title, WS_THICKFRAME, work.right / 2 - left,
                           work.bottom / 2 - up, width, height, nullptr, nullptr, shell.instance, nullptr);
}

}  // namespace qzt
