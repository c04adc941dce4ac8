#include "win32/controls.h"

#include <string>

#include "win32/dpi.h"
#include "win32/gdi_guards.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// Pixels the control's widest text takes in the font selected into screen,
// with the frame and margins its kind draws around it; 0 when it shows none.
// Its table's text, not what it shows now: what is typed into a box does not
// widen the window.
int textNeeds(const ControlLayout& c, HDC screen, UINT dpi) {
    const std::string text = c.widest ? c.widest : c.text ? c.text : "";
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), int(text.size()), &size);
    const int width = int(size.cx);
    const std::string kind = c.className;
    if (kind == "EDIT") return width + 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi) + scaled(6, int(dpi));
    if (kind == "COMBOBOX") return width + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) + scaled(10, int(dpi));
    if (kind == "BUTTON") return width + scaled(16, int(dpi));
    if (kind == "STATIC") return width + 1;
    return 0;
}

}  // namespace

// Made where they belong, so that none needs moving after.
std::vector<PixelBox> ControlSet::create(HWND parent, UINT dpi, AxisScale x, AxisScale y) {
    const HFONT font = messageFont(dpi);
    placed_ = layOutControls(spots(dpi), x, y);
    handles_.clear();
    for (size_t i = 0; i < count_; ++i) {
        const ControlLayout& c = table_[i];
        const PixelBox& b = placed_[i];
        HWND control = CreateWindowExA(0, c.className, c.text, c.style, b.left, b.top, b.width, b.height, parent,
                                       nullptr, shell.instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.handle) *c.handle = control;
        handles_.push_back(control);
    }
    return placed_;
}

const std::vector<ControlSpot>& ControlSet::spots(UINT dpi) const {
    std::vector<ControlSpot>& spots = spots_[dpi];
    if (!spots.empty()) return spots;
    const WindowDC screen(nullptr);
    const Selection selected(screen, messageFont(dpi));
    for (size_t i = 0; i < count_; ++i) {
        const ControlLayout& c = table_[i];
        spots.push_back({c.x, c.y, c.width, c.height, textNeeds(c, screen, dpi)});
    }
    return spots;
}

// All moved at once, so that the window repaints once; only those whose
// place changes, as a zoom moves only what lies beside the view.
std::vector<PixelBox> ControlSet::layOut(UINT dpi, AxisScale x, AxisScale y) {
    const HFONT font = messageFont(dpi);
    const std::vector<PixelBox> boxes = layOutControls(spots(dpi), x, y);
    HDWP moves = BeginDeferWindowPos(int(handles_.size()));
    for (size_t i = 0; i < handles_.size(); ++i) {
        const PixelBox& b = boxes[i];
        if (reinterpret_cast<HFONT>(SendMessageA(handles_[i], WM_GETFONT, 0, 0)) != font)
            SendMessageA(handles_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (b == placed_[i]) continue;
        if (moves)
            moves = DeferWindowPos(moves, handles_[i], nullptr, b.left, b.top, b.width, b.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        else
            SetWindowPos(handles_[i], nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves) EndDeferWindowPos(moves);
    placed_ = boxes;
    return boxes;
}

}  // namespace qzt
