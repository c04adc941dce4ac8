#include "app/timer_tick.h"

#include "app/disk_watch.h"
#include "app/recovery.h"
#include "edit/preview.h"
#include "win32/gdi_guards.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

void drawPreviewStep(const PreviewStroke& stroke) {
    Pen pen(stroke.colour);
    WindowDC window(shell.mainWindow);
    Selection selected(window, pen);
    SelectClipRgn(window, shell.viewClipRegion);
    MoveToEx(window, stroke.from.x, stroke.from.y, nullptr);
    if (stroke.kind == PreviewStroke::Line)
        LineTo(window, stroke.to.x, stroke.to.y);
    else
        Ellipse(window, stroke.left, stroke.top, stroke.right, stroke.bottom);
}

void drawOutlines(const OutlinePlan& plan) {
    WindowDC window(shell.mainWindow);
    SelectClipRgn(window, shell.viewClipRegion);
    Pen pen(plan.colour);
    Selection selected(window, pen);
    for (const OutlinePolyline& line : plan.polylines) {
        MoveToEx(window, line[0].x, line[0].y, nullptr);
        for (size_t i = 1; i < line.size(); ++i) LineTo(window, line[i].x, line[i].y);
    }
}

}  // namespace

void runTimerTick() {
    const Scroll scroll = scrollPosition();
    const PreviewTick preview = advancePreview(session.document, session.state, scroll);
    if (preview.draws) drawPreviewStep(preview.stroke);
    const OutlinePlan outlines = nextOutlines(session.document, session.state, scroll);
    if (outlines.runs) drawOutlines(outlines);
}

void onTimer() {
    runTimerTick();
    const uint64_t now = GetTickCount64();
    keepRecoveryFile(now);
    watchLevelFiles(now);
}

}  // namespace qzt
