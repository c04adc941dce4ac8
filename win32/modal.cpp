#include "win32/modal.h"

#include <algorithm>
#include <vector>

#include "win32/shell.h"

namespace qzt {
namespace {

int depth = 0;
// The tool windows this scope disabled; one disabled before stays so.
std::vector<HWND> disabled;

}  // namespace

void addToolWindow(HWND window) { shell.toolWindows.push_back(window); }

ModalScope::ModalScope() {
    if (depth++ > 0) return;
    for (HWND window : shell.toolWindows) {
        if (!IsWindowEnabled(window)) continue;
        EnableWindow(window, FALSE);
        disabled.push_back(window);
    }
}

ModalScope::~ModalScope() {
    if (--depth > 0) return;
    for (HWND window : disabled) EnableWindow(window, TRUE);
    disabled.clear();
}

bool modalUp() { return depth > 0; }

int ask(const char* text, const char* caption, UINT flags) {
    const ModalScope scope;
    return MessageBoxA(shell.mainWindow, text, caption, flags);
}

void notice(const char* text, const char* caption) { ask(text, caption, MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST); }

}  // namespace qzt
