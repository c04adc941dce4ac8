#include "app/timer_tick.h"

#include "app/disk_watch.h"
#include "app/recovery.h"
#include "edit/preview.h"
#include "win32/gdi_guards.h"
#include "win32/level_motion.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// On the view's picture, so that a magnified view shows each pixel of a line
// as a block like the level's.
void drawPreviewStep(HDC view, const PreviewStroke& stroke) {
    const Pen pen(stroke.colour);
    const Selection selected(view, pen);
    MoveToEx(view, stroke.from.x, stroke.from.y, nullptr);
    if (stroke.kind == PreviewStroke::Line)
        LineTo(view, stroke.to.x, stroke.to.y);
    else
        Ellipse(view, stroke.left, stroke.top, stroke.right, stroke.bottom);
}

void drawOutlines(HDC view, const OutlinePlan& plan) {
    const Pen pen(plan.colour);
    const Selection selected(view, pen);
    for (const OutlinePolyline& line : plan.polylines) {
        MoveToEx(view, line[0].x, line[0].y, nullptr);
        for (size_t i = 1; i < line.size(); ++i) LineTo(view, line[i].x, line[i].y);
    }
}

}  // namespace

// While the level plays, the view shows the motion alone.
void runTimerTick() {
    if (motionShown()) return;
    const Scroll scroll = scrollPosition();
    const PreviewTick preview = advancePreview(session.document, session.state, scroll);
    const OutlinePlan outlines = nextOutlines(session.document, session.state, scroll);
    if (!preview.draws && !outlines.runs) return;
    drawOnView([&](HDC view) {
        if (preview.draws) drawPreviewStep(view, preview.stroke);
        if (outlines.runs) drawOutlines(view, outlines);
    });
}

void onTimer() {
    runTimerTick();
    const uint64_t now = GetTickCount64();
    keepRecoveryFile(now);
    watchLevelFiles(now);
}

}  // namespace qzt
