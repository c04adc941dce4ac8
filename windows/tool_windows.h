// Window procedures of the three tool windows, registered at start-up.
#pragma once

#include <windows.h>

namespace qzt {

LRESULT CALLBACK levelPropertiesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK newEnemyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qzt
