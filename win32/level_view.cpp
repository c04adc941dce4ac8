#include "win32/level_view.h"

#include "win32/editor_globals.h"
#include "edit/preview.h"
#include "edit/view_plan.h"
#include "win32/gdi_guards.h"
#include "win32/rect.h"

namespace qzt {

Scroll scrollPosition() {
    return {GetScrollPos(editor.main.horizontalScrollBar, SB_CTL), GetScrollPos(editor.main.verticalScrollBar, SB_CTL)};
}

void blankUncoveredView(HDC window, int32_t bitmapWidth, int32_t bitmapHeight, Scroll scroll) {
    if (bitmapCoversView(bitmapWidth, bitmapHeight, scroll)) return;
    const RECT view = makeRect(ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight);
    FillRect(window, &view, panelBrush());
}

void RedrawLevelView() {
    const MainWindowHandles& main = editor.main;
    const Scroll scroll = scrollPosition();
    restartPreview(editor.document, editor.state, scroll);
    const ViewPlan plan = planLevelView(editor.document, editor.state, scroll);

    WindowDC window(main.window);
    MemoryDC bitmap(window);
    HBITMAP levelBitmap = editor.levelBitmap.bitmap;
    Selection selected(bitmap, levelBitmap);
    // The step count of the recording line and the free space to its right.
    const RECT stepCount = makeRect(350, 410, 450, 432);
    FillRect(window, &stepCount, panelBrush());
    SelectClipRgn(window, editor.viewClipRegion);
    // Without a bitmap nothing covers the view.
    const LevelBitmapCells& cells = editor.levelBitmap;
    blankUncoveredView(window, levelBitmap ? cells.width : 0, cells.height, scroll);
    if (levelBitmap) {
        for (const BitmapCopy& c : plan.copies)
            BitBlt(window, c.x, c.y, c.width, c.height, bitmap, c.sourceX, c.sourceY, SRCCOPY);
    }
    if (plan.writesSteps) SetWindowTextA(main.recordStepsText, plan.stepsText.c_str());
}

}  // namespace qzt
