// The Edit Enemy Program window: created hidden at start-up, shown by its menu command.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qzt {

void createEnemyProgramEditor();
void showEnemyProgramEditor();
// Shown with that program open at its first movement.
void showEnemyProgramEditorAt(int32_t program);
LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
