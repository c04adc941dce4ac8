#include "win32/level_view.h"

#include <algorithm>

#include "edit/control_layout.h"
#include "edit/preview.h"
#include "edit/view_plan.h"
#include "render/pixel_blocks.h"
#include "win32/dpi.h"
#include "win32/gdi_guards.h"
#include "win32/level_bitmap.h"
#include "win32/rect.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// The view at one pixel a level pixel, and a band of its magnified rows:
// pixels in memory, so that the magnification is ours and exact, a band at a
// time so that it stays in the processor's cache on its way to the screen.
// They live for the run.
class ViewPicture {
public:
    static constexpr int BandRows = 32;

    ~ViewPicture() {
        for (HBITMAP bitmap : {picture_, band_})
            if (bitmap) DeleteObject(bitmap);
    }
    HBITMAP picture() {
        if (!picture_) picture_ = pixelBitmap(ViewWidth, ViewHeight, pictureBits_);
        return picture_;
    }
    // Each level pixel a zoom x zoom block of screen pixels.
    void show(HDC window, HDC canvas, const ViewPlacement& p) {
        if (p.zoom == 1) {
            BitBlt(window, p.left, p.top, ViewWidth, ViewHeight, canvas, 0, 0, SRCCOPY);
            return;
        }
        if (zoom_ != p.zoom) {
            if (band_) DeleteObject(band_);
            band_ = pixelBitmap(ViewWidth * p.zoom, BandRows * p.zoom, bandBits_);
            zoom_ = band_ ? p.zoom : 0;
        }
        if (!band_ || !pictureBits_) return;
        const MemoryDC band(window);
        const Selection selected(band, band_);
        for (int row = 0; row < ViewHeight; row += BandRows) {
            const int rows = std::min(BandRows, ViewHeight - row);
            GdiFlush();  // the picture as drawn, and the band's last copy done
            magnifyPixels(pictureBits_ + size_t(row) * ViewWidth, ViewWidth, rows, p.zoom, bandBits_);
            BitBlt(window, p.left, p.top + row * p.zoom, ViewWidth * p.zoom, rows * p.zoom, band, 0, 0, SRCCOPY);
        }
    }

private:
    // 32-bit pixels, rows top-down.
    static HBITMAP pixelBitmap(int width, int height, uint32_t*& bits) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<uint32_t*>(pixels);
        return bitmap;
    }

    HBITMAP picture_ = nullptr;
    uint32_t* pictureBits_ = nullptr;
    HBITMAP band_ = nullptr;
    uint32_t* bandBits_ = nullptr;
    int zoom_ = 0;
};

ViewPicture picture;

// The step count of the recording line and the free space to its right.
void blankStepCount(HDC window) {
    RECT steps = rectInParent(shell.recordStepsText);
    const int dpi = int(dpiOf(shell.mainWindow));
    steps.right = std::max(steps.right, LONG(steps.left + scaled(100, dpi)));
    steps.bottom = std::max(steps.bottom, LONG(steps.top + scaled(22, dpi)));
    FillRect(window, &steps, panelBrush());
}

// The selection's outlines and the band, each pixel of their edges.
void drawRectangles(HDC view, const InPlaceList<PlanRectangle, MAX_ENEMIES + 1>& rectangles) {
    if (rectangles.empty()) return;
    const Pen pen(SelectionColour);
    const Selection selected(view, pen);
    for (const PlanRectangle& r : rectangles) {
        const POINT corners[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom},
                                  {r.left, r.top}};
        MoveToEx(view, corners[0].x, corners[0].y, nullptr);
        for (int i = 1; i < 5; ++i) LineTo(view, corners[i].x, corners[i].y);
    }
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
    const Selection selected(canvas, picture.picture());
    SetViewportOrgEx(canvas, -ViewLeft, -ViewTop, nullptr);
    draw(canvas);
    SetViewportOrgEx(canvas, 0, 0, nullptr);
    picture.show(window, canvas, shell.view);
}

void presentView() {
    drawOnView([](HDC) {});
}

// The level as placed, or while it plays as at the frame shown.
void RedrawLevelView() {
    const Scroll scroll = scrollPosition();
    restartPreview(session.document, session.state, scroll);
    const ViewPlan plan = shell.viewFrame ? planLevelViewAt(session.document, scroll, *shell.viewFrame)
                                          : planLevelView(session.document, session.state, scroll);
    blankStepCount(WindowDC(shell.mainWindow));
    drawOnView([&](HDC view) {
        // Without a bitmap nothing covers the view.
        blankUncoveredView(view, levelBitmap.bitmap ? levelBitmap.width : 0, levelBitmap.height, scroll);
        if (!levelBitmap.bitmap) return;
        const MemoryDC bitmap(view);
        const Selection selected(bitmap, levelBitmap.bitmap);
        for (const BitmapCopy& c : plan.copies)
            BitBlt(view, c.x, c.y, c.width, c.height, bitmap, c.sourceX, c.sourceY, SRCCOPY);
        drawRectangles(view, plan.rectangles);
    });
    if (plan.writesSteps) SetWindowTextA(shell.recordStepsText, plan.stepsText.c_str());
}

}  // namespace qzt
