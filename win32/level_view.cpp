#include "win32/level_view.h"

#include "edit/preview.h"
#include "edit/view_plan.h"
#include "win32/gdi_guards.h"
#include "win32/level_bitmap.h"
#include "win32/rect.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {

Scroll scrollPosition() {
    return {GetScrollPos(shell.horizontalScrollBar, SB_CTL), GetScrollPos(shell.verticalScrollBar, SB_CTL)};
}

void blankUncoveredView(HDC window, int32_t bitmapWidth, int32_t bitmapHeight, Scroll scroll) {
    if (bitmapCoversView(bitmapWidth, bitmapHeight, scroll)) return;
    const RECT view = makeRect(ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight);
    FillRect(window, &view, panelBrush());
}

void RedrawLevelView() {
    const Scroll scroll = scrollPosition();
    restartPreview(session.document, session.state, scroll);
    const ViewPlan plan = planLevelView(session.document, session.state, scroll);

    WindowDC window(shell.mainWindow);
    MemoryDC bitmap(window);
    Selection selected(bitmap, levelBitmap.bitmap);
    // The step count of the recording line and the free space to its right.
    const RECT stepCount = makeRect(350, 410, 450, 432);
    FillRect(window, &stepCount, panelBrush());
    SelectClipRgn(window, shell.viewClipRegion);
    // Without a bitmap nothing covers the view.
    blankUncoveredView(window, levelBitmap.bitmap ? levelBitmap.width : 0, levelBitmap.height, scroll);
    if (levelBitmap.bitmap) {
        for (const BitmapCopy& c : plan.copies)
            BitBlt(window, c.x, c.y, c.width, c.height, bitmap, c.sourceX, c.sourceY, SRCCOPY);
    }
    if (plan.writesSteps) SetWindowTextA(shell.recordStepsText, plan.stepsText.c_str());
}

}  // namespace qzt
