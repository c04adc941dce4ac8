// The Create New Enemy window: created hidden at start-up, shown by its menu command.
#pragma once

#include <windows.h>

namespace qzt {

void createNewEnemyWindow();
void showNewEnemyWindow();
LRESULT CALLBACK newEnemyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
