#include "app/keyboard_input.h"

#include "app/side_panel.h"
#include "edit/recording.h"
#include "edit/view_editing.h"
#include "win32/document_changes.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char InUseText[] = "Image Set is in use by an enemy.  Could not delete.";

bool held(int key) { return GetKeyState(key) < 0; }

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. False for any other key.
bool onUndoKey(WPARAM key) {
    if (!held(VK_CONTROL) || (key != 'Z' && key != 'Y')) return false;
    if (key == 'Z' && !held(VK_SHIFT))
        undoStep();
    else
        redoStep();
    return true;
}

// Refused or not, the selections go.
void onDeleteKey() {
    const SelectionDeletion outcome = deleteSelection(session.document, session.state);
    if (!outcome.acted) return;
    if (outcome.imageSetInUse) notice(InUseText, EditingCaption);
    session.state.selectedEnemy = -1;
    session.state.selectedImageSet = -1;
    if (!finishGesture()) showSelection();
}

// A recording is one gesture, from its start to Enter.
void onRecordingKey(WPARAM key) {
    const RecordKey outcome = recordKey(session.document, session.state, unsigned(key));
    if (outcome == RecordKey::Refused) MessageBeep(MB_OK);
    // Every key of a recording redraws, Enter included.
    if (outcome != RecordKey::Finished || !finishGesture()) RedrawLevelView();
}

bool isEditBox(HWND window) {
    char className[8] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "Edit") == 0;
}

}  // namespace

void routeUndoKeys(MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != 'Z' && message.wParam != 'Y')) return;
    if (IsChild(shell.mainWindow, message.hwnd) && !isEditBox(message.hwnd)) message.hwnd = shell.mainWindow;
}

void onKeyDown(WPARAM key) {
    if (!session.document.loaded || onUndoKey(key)) return;
    if (session.state.mode == Recording)
        onRecordingKey(key);
    else if (session.state.mode == Normal && key == VK_DELETE)
        onDeleteKey();
}

}  // namespace qzt
