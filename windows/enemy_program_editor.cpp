// The Edit Enemy Program window. Not built yet: its window is not created.
#include "windows/enemy_program_editor.h"

namespace qzt {

void createEnemyProgramEditor() {}
void showEnemyProgramEditor() {}

LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qzt
