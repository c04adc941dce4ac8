#include "windows/tool_window.h"

#include <algorithm>
#include <vector>

#include "edit/control_layout.h"
#include "win32/dpi.h"
#include "win32/modal.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr DWORD ToolStyle = WS_THICKFRAME;
constexpr DWORD ToolExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
constexpr int Margin = 5;

}  // namespace

HWND ToolWindow::create(const char* className, const char* title, RECT place, const ControlLayout* controls,
                        size_t count) {
    place_ = place;
    const RECT& work = shell.workArea;
    window_ = CreateWindowExA(ToolExStyle, className, title, ToolStyle, work.right / 2 - place.left,
                              work.bottom / 2 - place.top, place.right, place.bottom, nullptr, nullptr,
                              shell.instance, nullptr);
    addToolWindow(window_);
    controls_ = ControlSet(controls, count);
    const UINT dpi = dpiOf(window_);
    const int d = int(dpi);
    fit(dpi, controls_.create(window_, dpi, AxisScale{d}, AxisScale{d}),
        {work.right / 2 - scaled(place.left, d), work.bottom / 2 - scaled(place.top, d)});
    return window_;
}

bool ToolWindow::handles(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DPICHANGED) return false;
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    layOut(HIWORD(wParam), {suggested.left, suggested.top});
    return true;
}

void ToolWindow::layOut(UINT dpi, POINT at) {
    const int d = int(dpi);
    fit(dpi, controls_.layOut(dpi, AxisScale{d}, AxisScale{d}), at);
}

void ToolWindow::fit(UINT dpi, const std::vector<PixelBox>& boxes, POINT at) {
    const int d = int(dpi);
    RECT client{0, 0, 0, 0};
    for (const PixelBox& box : boxes) {
        client.right = std::max(client.right, LONG(box.right() + scaled(Margin, d)));
        client.bottom = std::max(client.bottom, LONG(box.bottom() + scaled(Margin, d)));
    }
    AdjustWindowRectExForDpi(&client, ToolStyle, FALSE, ToolExStyle, dpi);
    const int width = std::max(int(client.right - client.left), scaled(place_.right, d));
    const int height = std::max(int(client.bottom - client.top), scaled(place_.bottom, d));
    SetWindowPos(window_, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace qzt
