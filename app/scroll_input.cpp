#include "app/scroll_input.h"

#include "app/editor_globals.h"
#include "edit/scrolling.h"
#include "gfx/level_view.h"

namespace qzt {

// Every code redraws, even those that move nothing.
void onHorizontalScroll(WPARAM wParam) {
    if (!editor.document.loaded) return;
    int& position = editor.state.hScroll;
    position = horizontalScroll(LOWORD(wParam), position, HIWORD(wParam));
    SetScrollPos(editor.main.horizontalScrollBar, SB_CTL, position, TRUE);
    RedrawLevelView();
}

void onVerticalScroll(WPARAM wParam) {
    if (!editor.document.loaded) return;
    int& position = editor.state.vScroll;
    position = verticalScroll(LOWORD(wParam), position, HIWORD(wParam), verticalScrollMax(editor.levelBitmap.height));
    SetScrollPos(editor.main.verticalScrollBar, SB_CTL, position, TRUE);
    RedrawLevelView();
}

}  // namespace qzt
