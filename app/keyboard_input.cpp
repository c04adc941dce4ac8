#include "app/keyboard_input.h"

#include "app/menu_bar.h"
#include "edit/recording.h"
#include "win32/document_changes.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

bool held(int key) { return GetKeyState(key) < 0; }

// A recording is one gesture, from its start to Enter.
void onRecordingKey(WPARAM key) {
    const RecordKey outcome = recordKey(session.document, session.state, unsigned(key));
    if (outcome == RecordKey::Refused) MessageBeep(MB_OK);
    // Every key of a recording redraws, Enter included.
    if (outcome != RecordKey::Finished || !finishGesture(StepName::Recording)) RedrawLevelView();
}

bool isEditBox(HWND window) {
    char className[8] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "Edit") == 0;
}

bool editBoxKeeps(WPARAM key) {
    if (key == VK_DELETE) return true;
    return held(VK_CONTROL) && (key == 'Z' || key == 'X' || key == 'C' || key == 'V' || key == 'A' || key == 'Y');
}

}  // namespace

bool translateShortcut(MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (message.hwnd != shell.mainWindow && !IsChild(shell.mainWindow, message.hwnd)) return false;
    if (isEditBox(message.hwnd) && editBoxKeeps(message.wParam)) return false;
    return TranslateAcceleratorA(shell.mainWindow, shortcutTable(), &message) != 0;
}

void onKeyDown(WPARAM key) {
    if (session.document.loaded && session.state.mode == Recording) onRecordingKey(key);
}

}  // namespace qzt
