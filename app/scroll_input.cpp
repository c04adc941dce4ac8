#include "app/scroll_input.h"

#include "edit/scrolling.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// The bar repaints with the next paint rather than at once: a bar's own
// repaint costs many view redraws, and quick steps then share one.
void moveBar(HWND bar, int position) {
    SetScrollPos(bar, SB_CTL, position, FALSE);
    InvalidateRect(bar, nullptr, TRUE);
}

}  // namespace

// Every code redraws, even those that move nothing.
void onHorizontalScroll(WPARAM wParam) {
    if (!session.document.loaded) return;
    int& position = session.state.trackedHScroll;
    position = horizontalScroll(LOWORD(wParam), position, HIWORD(wParam));
    moveBar(shell.horizontalScrollBar, position);
    RedrawLevelView();
}

void onVerticalScroll(WPARAM wParam) {
    if (!session.document.loaded) return;
    int& position = session.state.trackedVScroll;
    position = verticalScroll(LOWORD(wParam), position, HIWORD(wParam), verticalScrollMax(levelBitmap.height));
    moveBar(shell.verticalScrollBar, position);
    RedrawLevelView();
}

}  // namespace qzt
