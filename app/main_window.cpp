#include "app/main_window.h"

#include "app/editor_globals.h"
#include "app/file_commands.h"
#include "app/menu_bar.h"
#include "app/window_classes.h"
#include "gfx/level_view.h"

namespace qzt {
namespace {

constexpr int MainWindowWidth = 640;
constexpr int MainWindowHeight = 480;

// The view is only ever drawn by explicit redraws, never on WM_PAINT.
void onSizeOrActivate() {
    if (editor.document.loaded) RedrawLevelView();
}

void onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case ExitCommand:
        leaveEditor();
        break;
    case SaveCommand:
        saveCommand();
        break;
    case OpenCommand:
        openCommand();
        break;
    default:
        break;
    }
}

}  // namespace

void createMainWindow() {
    const RECT& work = editor.workArea;
    editor.main.window = CreateWindowExA(0, MainWindowClass, "QZT Level Editor", WS_OVERLAPPEDWINDOW,
                                         work.right / 2 - MainWindowWidth / 2, work.bottom / 2 - MainWindowHeight / 2,
                                         MainWindowWidth, MainWindowHeight, nullptr, editor.main.menuBar,
                                         editor.instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
    case WM_ACTIVATE:
        // Not passed on, so activation leaves the keyboard focus where it is.
        onSizeOrActivate();
        return 0;
    case WM_CLOSE:
        leaveEditor();
        return 0;
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    // The view's own input: kept from DefWindowProcA.
    case WM_KEYDOWN:
    case WM_TIMER:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace qzt
