#include "app/main_window.h"

#include "app/edit_commands.h"
#include "app/file_commands.h"
#include "app/keyboard_input.h"
#include "app/menu_bar.h"
#include "app/mouse_input.h"
#include "app/scroll_input.h"
#include "app/side_panel.h"
#include "app/timer_tick.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

namespace qzt {
namespace {

constexpr int MainWindowWidth = 640;
constexpr int MainWindowHeight = 480;

// The view is only ever drawn by explicit redraws, never on WM_PAINT.
void onSizeOrActivate() {
    if (session.document.loaded) RedrawLevelView();
}

bool loadedAndNormal() { return session.document.loaded && session.state.mode == Normal; }

// Menu commands in this order; at most one id matches. A number typed into
// the side panel counts before any of them acts.
void onMenuCommand(WORD command) {
    if (command != 0) commitPendingEdit();
    switch (command) {
    case EditProgramCommand:
        if (loadedAndNormal()) showEnemyProgramEditor();
        break;
    case NewImageSetCommand:
        if (loadedAndNormal()) newImageSetCommand();
        break;
    case ExitCommand:
        leaveEditor();
        break;
    case NewEnemyCommand:
        if (loadedAndNormal()) showNewEnemyWindow();
        break;
    case PropertiesCommand:
        if (session.document.loaded) showLevelPropertiesWindow();
        break;
    case SaveCommand:
        if (session.document.loaded) saveCommand();
        break;
    case OpenCommand:
        openCommand();
        break;
    case NewProgramCommand:
        if (loadedAndNormal()) newProgramCommand();
        break;
    default:
        break;
    }
}

// Controls all have id 0: they are told apart by handle.
void onCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    commitSidePanelEdit(control, HIWORD(wParam));
    onFramesCombo(control);
    onMenuCommand(LOWORD(wParam));
}

}  // namespace

void createMainWindow(HMENU menuBar) {
    const RECT& work = shell.workArea;
    shell.mainWindow = CreateWindowExA(0, MainWindowClass, "QZT Level Editor", WS_OVERLAPPEDWINDOW,
                                         work.right / 2 - MainWindowWidth / 2, work.bottom / 2 - MainWindowHeight / 2,
                                         MainWindowWidth, MainWindowHeight, nullptr, menuBar,
                                         shell.instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
    case WM_ACTIVATE:
        // Not passed on, so activation leaves the keyboard focus where it is.
        onSizeOrActivate();
        return 0;
    case WM_CLOSE:
        commitPendingEdit();
        leaveEditor();
        return 0;
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        onKeyDown(wParam);
        runTimerTick();
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    case WM_HSCROLL:
        onHorizontalScroll(wParam);
        return 0;
    case WM_VSCROLL:
        onVerticalScroll(wParam);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        onButtonDown(message == WM_LBUTTONDOWN, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        onButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        onCaptureLost();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace qzt
