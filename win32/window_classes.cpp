#include "win32/window_classes.h"

#include "win32/shell.h"

namespace qzt {
namespace {

// IDC_ARROW as an ANSI name, whatever the character set.
const LPCSTR ArrowCursor = MAKEINTRESOURCEA(32512);

}  // namespace

bool registerWindowClass(const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = shell.instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, ArrowCursor);
    windowClass.hbrBackground = panelBrush();
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace qzt
