#include "app/mouse_input.h"

#include <windowsx.h>

#include "app/side_panel.h"
#include "app/status_bar.h"
#include "edit/view_editing.h"
#include "win32/document_changes.h"
#include "win32/level_motion.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {

// Loaded before start-up; IDC_SIZENWSE, named by number so the code builds
// with UNICODE defined too.
const HCURSOR ResizeCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32642));

namespace {

// Signed: while the mouse is captured, points left of or above the client
// area arrive too. The rules see the view's point at one pixel a level pixel.
Pointer pointerAt(LPARAM position) {
    return {unzoomedX(GET_X_LPARAM(position), shell.view), unzoomedY(GET_Y_LPARAM(position), shell.view),
            scrollPosition()};
}

// Whether the window is to be told when the pointer leaves it.
bool leaveTracked = false;

// The level point under the pointer while it is over the view.
void showPointer(const Pointer& pointer) {
    if (!insideView(pointer.cx, pointer.cy)) {
        showPointerInStatus(std::nullopt);
        return;
    }
    showPointerInStatus(levelPoint(pointer.cx, pointer.cy, pointer.scroll));
    if (leaveTracked) return;
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, shell.mainWindow, 0};
    leaveTracked = TrackMouseEvent(&leave) != 0;
}

// A drag or a resize, however many moves it took, is one gesture; a band
// selects what it touches.
void endGesture() {
    const StepName name = session.state.mode == Resizing ? StepName::Resize : StepName::Move;
    const bool selected = releaseButton(session.document, session.state);
    if (!finishGesture(name) && selected) showSelection();
}

}  // namespace

// A drag or a resize holds the mouse, so that its release ends it wherever
// the pointer is.
void onButtonDown(bool leftButton, bool ctrl, LPARAM position) {
    // An edit of the side panel that loses the focus now commits to the
    // enemy selected before this press; a level playing stops first.
    SetFocus(shell.mainWindow);
    stopMotion();
    const Pointer pointer = pointerAt(position);
    if (selectAt(session.document, session.state, leftButton, pointer, ctrl)) showSelection();
    // After the panels: a press just right of a set shows "NONE" yet resizes it.
    if (grabResizeHandle(session.document, session.state, pointer)) SetCursor(ResizeCursor);
    if (gestureUnderWay(session.state)) SetCapture(shell.mainWindow);
}

void onMouseMove(LPARAM position) {
    const Pointer pointer = pointerAt(position);
    showPointer(pointer);
    const MoveOutcome outcome = movePointer(session.document, session.state, pointer);
    if (outcome.overResizeHandle) SetCursor(ResizeCursor);
    if (outcome.resized || outcome.movedImageSet || outcome.movedEnemy || outcome.movedBand) RedrawLevelView();
    if (outcome.movedImageSet) refreshImageSetPosition();
    if (outcome.movedEnemy) refreshEnemyPosition();
}

void onButtonUp() {
    endGesture();
    if (GetCapture() == shell.mainWindow) ReleaseCapture();
}

void onMouseLeave() {
    leaveTracked = false;
    showPointerInStatus(std::nullopt);
}

// A question that comes up, or another window taking the mouse, ends the
// gesture where it is.
void onCaptureLost() {
    if (gestureUnderWay(session.state)) endGesture();
}

}  // namespace qzt
