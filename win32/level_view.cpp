#include "win32/level_view.h"

#include <algorithm>

#include "edit/control_layout.h"
#include "edit/preview.h"
#include "edit/view_plan.h"
#include "win32/dpi.h"
#include "win32/gdi_guards.h"
#include "win32/level_bitmap.h"
#include "win32/rect.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// The view at one pixel a level pixel; it lives for the run.
class ViewPicture {
public:
    ~ViewPicture() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    HBITMAP in(HDC compatibleWith) {
        if (!bitmap_) bitmap_ = CreateCompatibleBitmap(compatibleWith, ViewWidth, ViewHeight);
        return bitmap_;
    }

private:
    HBITMAP bitmap_ = nullptr;
};

ViewPicture picture;

// Each level pixel a block of zoom x zoom screen pixels, never blended.
void show(HDC window, HDC canvas) {
    const ViewPlacement& p = shell.view;
    if (p.zoom == 1) {
        BitBlt(window, p.left, p.top, ViewWidth, ViewHeight, canvas, 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(window, COLORONCOLOR);
    StretchBlt(window, p.left, p.top, ViewWidth * p.zoom, ViewHeight * p.zoom, canvas, 0, 0, ViewWidth, ViewHeight,
               SRCCOPY);
}

// The step count of the recording line and the free space to its right.
void blankStepCount(HDC window) {
    RECT steps = rectInParent(shell.recordStepsText);
    const int dpi = int(dpiOf(shell.mainWindow));
    steps.right = std::max(steps.right, LONG(steps.left + scaled(100, dpi)));
    steps.bottom = std::max(steps.bottom, LONG(steps.top + scaled(22, dpi)));
    FillRect(window, &steps, panelBrush());
}

}  // namespace

Scroll scrollPosition() {
    return {GetScrollPos(shell.horizontalScrollBar, SB_CTL), GetScrollPos(shell.verticalScrollBar, SB_CTL)};
}

void blankUncoveredView(HDC view, int32_t bitmapWidth, int32_t bitmapHeight, Scroll scroll) {
    if (bitmapCoversView(bitmapWidth, bitmapHeight, scroll)) return;
    const RECT whole = makeRect(ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight);
    FillRect(view, &whole, panelBrush());
}

void drawOnView(const std::function<void(HDC)>& draw) {
    const WindowDC window(shell.mainWindow);
    const MemoryDC canvas(window);
    const Selection selected(canvas, picture.in(window));
    SetViewportOrgEx(canvas, -ViewLeft, -ViewTop, nullptr);
    draw(canvas);
    SetViewportOrgEx(canvas, 0, 0, nullptr);
    show(window, canvas);
}

void presentView() {
    drawOnView([](HDC) {});
}

void RedrawLevelView() {
    const Scroll scroll = scrollPosition();
    restartPreview(session.document, session.state, scroll);
    const ViewPlan plan = planLevelView(session.document, session.state, scroll);
    blankStepCount(WindowDC(shell.mainWindow));
    drawOnView([&](HDC view) {
        // Without a bitmap nothing covers the view.
        blankUncoveredView(view, levelBitmap.bitmap ? levelBitmap.width : 0, levelBitmap.height, scroll);
        if (!levelBitmap.bitmap) return;
        const MemoryDC bitmap(view);
        const Selection selected(bitmap, levelBitmap.bitmap);
        for (const BitmapCopy& c : plan.copies)
            BitBlt(view, c.x, c.y, c.width, c.height, bitmap, c.sourceX, c.sourceY, SRCCOPY);
    });
    if (plan.writesSteps) SetWindowTextA(shell.recordStepsText, plan.stepsText.c_str());
}

}  // namespace qzt
