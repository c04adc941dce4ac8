#include "app/keyboard_input.h"

#include "app/menu_bar.h"
#include "app/side_panel.h"
#include "app/status_bar.h"
#include "edit/recording.h"
#include "edit/view_editing.h"
#include "win32/document_changes.h"
#include "win32/level_motion.h"
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

// The arrow keys move the selection a pixel, with Shift ten; nudges in a row
// are one step.
void onArrowKey(WPARAM key) {
    const int by = held(VK_SHIFT) ? 10 : 1;
    const int dx = key == VK_LEFT ? -by : key == VK_RIGHT ? by : 0;
    const int dy = key == VK_UP ? -by : key == VK_DOWN ? by : 0;
    if (!nudgeSelection(session.document, session.state, dx, dy)) return;
    finishGesture(StepName::Nudge);
    refreshEnemyPosition();
    refreshImageSetPosition();
}

bool isArrowKey(WPARAM key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

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

// Space, ".", "," and Home while the level plays; false for any other key.
bool onMotionKey(WPARAM key) {
    if (!motionShown()) return false;
    switch (key) {
    case VK_SPACE: pauseOrResumeMotion(); break;
    case VK_OEM_PERIOD: stepMotion(1); break;
    case VK_OEM_COMMA: stepMotion(-1); break;
    case VK_HOME: rewindMotion(); break;
    default: return false;
    }
    return true;
}

void onKeyDown(WPARAM key) {
    if (!session.document.loaded || onMotionKey(key)) return;
    if (session.state.mode == Recording) {
        onRecordingKey(key);
    } else if (isArrowKey(key)) {
        stopMotion();
        onArrowKey(key);
    }
}

}  // namespace qzt
