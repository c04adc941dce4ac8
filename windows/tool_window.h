// The kind of window the three tool windows are: hidden, always on top, with
// a caption and sizing border but no system menu, so only its own buttons
// dismiss it; disabled while a question of the editor is up. Its place, size
// and controls come from a table at 96 DPI, scaled for the DPI it is on.
#pragma once

#include <windows.h>

#include <vector>

#include "win32/controls.h"

namespace qzt {

class ToolWindow {
public:
    // Placed at (right / 2 - left, bottom / 2 - up) of the work area read at
    // start-up, width x height, at least as large as its controls need.
    template <size_t Count>
    HWND create(const char* className, const char* title, RECT place, const ControlLayout (&controls)[Count]) {
        return create(className, title, place, controls, Count);
    }
    // The messages every tool window treats alike (WM_DPICHANGED: laid out
    // again at the new DPI, where Windows suggests); true when it was one.
    bool handles(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND create(const char* className, const char* title, RECT place, const ControlLayout* controls, size_t count);
    void layOut(UINT dpi, POINT at);
    // At (at.x, at.y), as large as the controls at boxes need.
    void fit(UINT dpi, const std::vector<PixelBox>& boxes, POINT at);

    HWND window_ = nullptr;
    ControlSet controls_;
    RECT place_{};  // left, up, width, height at 96 DPI
};

}  // namespace qzt
