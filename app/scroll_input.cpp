#include "app/scroll_input.h"

#include "win32/editor_globals.h"
#include "edit/scrolling.h"
#include "win32/level_view.h"

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
    if (!editor.document.loaded) return;
    int& position = editor.state.hScroll;
    position = horizontalScroll(LOWORD(wParam), position, HIWORD(wParam));
    moveBar(editor.main.horizontalScrollBar, position);
    RedrawLevelView();
}

void onVerticalScroll(WPARAM wParam) {
    if (!editor.document.loaded) return;
    int& position = editor.state.vScroll;
    position = verticalScroll(LOWORD(wParam), position, HIWORD(wParam), verticalScrollMax(editor.levelBitmap.height));
    moveBar(editor.main.verticalScrollBar, position);
    RedrawLevelView();
}

}  // namespace qzt
