// The Create New Enemy window. Not built yet: its window is not created.
#include "windows/new_enemy_window.h"

namespace qzt {

void createNewEnemyWindow() {}
void showNewEnemyWindow() {}

LRESULT CALLBACK newEnemyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qzt
