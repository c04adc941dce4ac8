#include "app/mouse_input.h"

#include "win32/editor_globals.h"
#include "app/side_panel.h"
#include "edit/view_editing.h"
#include "win32/level_view.h"

namespace qzt {
namespace {

// Client coordinates arrive as two unsigned 16-bit halves.
Pointer pointerAt(LPARAM position) { return {LOWORD(position), HIWORD(position), scrollPosition()}; }

}  // namespace

void onButtonDown(bool leftButton, LPARAM position) {
    // An edit of the side panel that loses the focus now commits to the
    // enemy selected before this press.
    SetFocus(editor.main.window);
    const Pointer pointer = pointerAt(position);
    if (selectAt(editor.document, editor.state, leftButton, pointer)) {
        RedrawLevelView();
        refreshImageSetPanel();
        refreshEnemyPanel();
    }
    // After the panels: a press just right of a set shows "NONE" yet resizes it.
    if (grabResizeHandle(editor.document, editor.state, pointer)) SetCursor(ResizeCursor);
}

void onMouseMove(LPARAM position) {
    const MoveOutcome outcome = movePointer(editor.document, editor.state, pointerAt(position));
    if (outcome.overResizeHandle) SetCursor(ResizeCursor);
    if (outcome.resized || outcome.movedImageSet || outcome.movedEnemy) RedrawLevelView();
    if (outcome.movedImageSet) refreshImageSetPosition();
    if (outcome.movedEnemy) refreshEnemyPosition();
}

void onButtonUp() { releaseButton(editor.state); }

}  // namespace qzt
