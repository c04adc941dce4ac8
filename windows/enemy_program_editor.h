// The Edit Enemy Program window: created hidden at start-up, shown by its menu command.
#pragma once

#include <windows.h>

namespace qzt {

void createEnemyProgramEditor();
void showEnemyProgramEditor();
LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
