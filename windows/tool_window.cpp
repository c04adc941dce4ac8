#include "windows/tool_window.h"

#include "win32/editor_globals.h"
#include "level/decimal.h"

namespace qzt {

HWND createToolWindow(const char* className, const char* title, int left, int up, int width, int height) {
    const RECT& work = editor.workArea;
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, title, WS_THICKFRAME, work.right / 2 - left,
                           work.bottom / 2 - up, width, height, nullptr, nullptr, editor.instance, nullptr);
}

void createControls(HWND window, const ControlLayout* layouts, HWND* handles, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const ControlLayout& c = layouts[i];
        handles[i] = CreateWindowExA(0, c.className, c.text, c.style, c.x, c.y, c.width, c.height, window, nullptr,
                                     editor.instance, nullptr);
    }
}

int selectedItem(HWND list) {
    const LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? -1 : int(item);
}

const char* selectedItemText(HWND list, ItemText& text) {
    const int item = selectedItem(list);
    if (item < 0) return nullptr;
    const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, WPARAM(item), 0);
    if (length == CB_ERR || length >= LRESULT(sizeof text)) return nullptr;
    SendMessageA(list, CB_GETLBTEXT, WPARAM(item), reinterpret_cast<LPARAM>(text));
    return text;
}

void addDecimalItem(HWND list, int32_t value) {
    char text[MaxDecimalLength + 1] = {};
    formatDecimal(value, text);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace qzt
