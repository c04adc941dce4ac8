#include "win32/controls.h"

#include "win32/shell.h"

namespace qzt {

void createControls(HWND parent, const ControlLayout* layouts, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const ControlLayout& c = layouts[i];
        HWND control = CreateWindowExA(0, c.className, c.text, c.style, c.x, c.y, c.width, c.height, parent, nullptr,
                                       shell.instance, nullptr);
        if (c.handle) *c.handle = control;
    }
}

}  // namespace qzt
