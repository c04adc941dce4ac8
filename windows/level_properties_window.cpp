// The Level Properties window: the level header and time bonus. Not built yet: its window is not created.
#include "windows/level_properties_window.h"

namespace qzt {

void createLevelPropertiesWindow() {}
void showLevelPropertiesWindow() {}
void showLevelPropertiesButtons() {}

LRESULT CALLBACK levelPropertiesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qzt
