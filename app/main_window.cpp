#include "app/main_window.h"

#include <windowsx.h>

#include "app/clipboard_commands.h"
#include "app/edit_commands.h"
#include "app/file_commands.h"
#include "app/help_commands.h"
#include "app/keyboard_input.h"
#include "app/main_layout.h"
#include "app/menu_bar.h"
#include "app/mouse_input.h"
#include "app/scroll_input.h"
#include "app/side_panel.h"
#include "app/status_bar.h"
#include "app/timer_tick.h"
#include "edit/recent_files.h"
#include "win32/document_changes.h"
#include "win32/level_motion.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_check_window.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

namespace qzt {
namespace {

constexpr int MainWindowWidth = 640;
constexpr int MainWindowHeight = 480;

void onSizeOrActivate() {
    if (session.document.loaded) RedrawLevelView();
}

// The window's paint blanks the view with the rest; the level's picture is
// shown again over it.
LRESULT onPaint(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT painted = DefWindowProcA(window, WM_PAINT, wParam, lParam);
    if (session.document.loaded) presentView();
    return painted;
}

bool loadedAndNormal() { return session.document.loaded && session.state.mode == Normal; }

// The View and Help menus only look: the level plays on under them.
bool looksOnly(WORD command) {
    return command == ZoomInCommand || command == ZoomOutCommand || command == ActualSizeCommand ||
           command == PlayMotionCommand || command == ShortcutsCommand || command == AboutCommand;
}

// Every command, chosen from a menu or by its shortcut. A number typed into
// the side panel counts before any of them acts, and the level stops
// playing before one that may change it.
void onMenuCommand(WORD command) {
    if (command == 0) return;
    commitPendingEdit();
    if (!looksOnly(command)) stopMotion();
    if (command >= FirstRecentFileCommand && command < FirstRecentFileCommand + RecentFiles::Capacity) {
        openRecentFile(command - FirstRecentFileCommand);
        return;
    }
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
    case SaveAsCommand:
        saveAsCommand();
        break;
    case OpenCommand:
        openCommand();
        break;
    case NewProgramCommand:
        if (loadedAndNormal()) newProgramCommand();
        break;
    case SaveCommand:
        saveCommand();
        break;
    case UndoCommand:
        undoStep();
        break;
    case RedoCommand:
        redoStep();
        break;
    case DeleteCommand:
        if (loadedAndNormal()) deleteCommand();
        break;
    case ZoomInCommand:
        setZoom(shell.view.zoom + 1);
        break;
    case ZoomOutCommand:
        setZoom(shell.view.zoom - 1);
        break;
    case ActualSizeCommand:
        setZoom(defaultZoom());
        break;
    case ShortcutsCommand:
        showShortcuts();
        break;
    case AboutCommand:
        showAbout();
        break;
    case CutCommand:
        if (loadedAndNormal()) cutCommand();
        break;
    case CopyCommand:
        if (loadedAndNormal()) copyCommand();
        break;
    case PasteCommand:
        if (loadedAndNormal()) pasteCommand();
        break;
    case DuplicateCommand:
        if (loadedAndNormal()) duplicateCommand();
        break;
    case SelectAllCommand:
        if (loadedAndNormal()) selectAllCommand();
        break;
    case CheckCommand:
        if (session.document.loaded) showLevelCheckWindow();
        break;
    case PlayMotionCommand:
        if (loadedAndNormal()) toggleMotion();
        showMotionInStatus();
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
    if (!control) onMenuCommand(LOWORD(wParam));
}

// Ctrl and the wheel zoom the view, a notch a step.
void onMouseWheel(WPARAM wParam) {
    if (!(GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) return;
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (notches != 0) setZoom(shell.view.zoom + notches);
}

}  // namespace

void createMainWindow(HMENU menuBar) {
    const RECT& work = shell.workArea;
    shell.mainWindow = CreateWindowExA(0, MainWindowClass, "QZT Level Editor", WS_OVERLAPPEDWINDOW,
                                       work.right / 2 - MainWindowWidth / 2, work.bottom / 2 - MainWindowHeight / 2,
                                       MainWindowWidth, MainWindowHeight, nullptr, menuBar, shell.instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        fitStatusBar();
        onSizeOrActivate();
        return 0;
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
    case WM_PAINT:
        return onPaint(window, wParam, lParam);
    case WM_INITMENUPOPUP:
        refreshPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_KEYDOWN:
        onKeyDown(wParam);
        runTimerTick();
        return 0;
    case WM_TIMER:
        if (wParam == MotionTimerId) {
            onMotionTimer();
            showMotionInStatus();
        } else {
            onTimer();
        }
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
    case WM_MOUSELEAVE:
        onMouseLeave();
        return 0;
    case WM_MOUSEWHEEL:
        onMouseWheel(wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        onButtonDown(message == WM_LBUTTONDOWN, wParam & MK_CONTROL, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        onButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        onCaptureLost();
        return 0;
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE*>(lParam) = mainWindowSizeAt(UINT(wParam));
        return TRUE;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace qzt
