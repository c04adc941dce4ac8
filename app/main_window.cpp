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
#include "windows/enemy_program_editor.h"
#include "windows/level_check_window.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

namespace qzt {
namespace {

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

// The View and Help menus only look: the level plays on under them.
bool looksOnly(WORD command) {
    return command == ZoomInCommand || command == ZoomOutCommand || command == ActualSizeCommand ||
           command == PlayMotionCommand || command == ShortcutsCommand || command == AboutCommand;
}

// Every command, chosen from a menu or by its shortcut. A number typed into
// the side panel counts before any of them acts; one that cannot act now
// (its item would be grey) beeps; the level stops playing before one that
// may change it.
void onMenuCommand(WORD command, bool byShortcut) {
    if (command == 0) return;
    commitPendingEdit();
    if (!commandAvailable(EditorCommand(command), commandState())) {
        MessageBeep(MB_OK);
        return;
    }
    if (!looksOnly(command)) stopMotion();
    if (command >= FirstRecentFileCommand && command < FirstRecentFileCommand + RecentFiles::Capacity) {
        openRecentFile(command - FirstRecentFileCommand);
        return;
    }
    switch (command) {
    case OpenCommand: openCommand(); break;
    case SaveCommand: saveCommand(); break;
    case SaveAsCommand: saveAsCommand(); break;
    case ExitCommand: leaveEditor(); break;
    case UndoCommand: undoStep(); break;
    case RedoCommand: redoStep(); break;
    case CutCommand: cutCommand(); break;
    case CopyCommand: copyCommand(); break;
    // A shortcut pastes at the pointer; a menu item is no place in the view.
    case PasteCommand: pasteCommand(byShortcut); break;
    case DuplicateCommand: duplicateCommand(); break;
    case DeleteCommand: deleteCommand(); break;
    case SelectAllCommand: selectAllCommand(); break;
    case PropertiesCommand: showLevelPropertiesWindow(); break;
    case CheckCommand: showLevelCheckWindow(); break;
    case NewEnemyCommand: showNewEnemyWindow(); break;
    case NewImageSetCommand: newImageSetCommand(); break;
    case EditProgramCommand: showEnemyProgramEditor(); break;
    case NewProgramCommand: newProgramCommand(); break;
    case ZoomInCommand: setZoom(shell.view.zoom + 1); break;
    case ZoomOutCommand: setZoom(shell.view.zoom - 1); break;
    case ActualSizeCommand: setZoom(defaultZoom()); break;
    case PlayMotionCommand: toggleMotion(); break;
    case ShortcutsCommand: showShortcuts(); break;
    case AboutCommand: showAbout(); break;
    default: break;
    }
}

// Controls all have id 0: they are told apart by handle.
void onCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    commitSidePanelEdit(control, HIWORD(wParam));
    onFramesCombo(control);
    if (!control) onMenuCommand(LOWORD(wParam), HIWORD(wParam) == 1);
}

// Ctrl and the wheel zoom the view, a notch a step; a touchpad's smaller
// turns add up to notches.
void onMouseWheel(WPARAM wParam) {
    static int turned = 0;
    if (!(GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) {
        turned = 0;
        return;
    }
    turned += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = turned / WHEEL_DELTA;
    turned -= notches * WHEEL_DELTA;
    if (notches != 0) setZoom(shell.view.zoom + notches);
}

}  // namespace

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
        if (wParam == MotionTimerId)
            onMotionTimer();
        else
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
