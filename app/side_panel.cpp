#include "app/side_panel.h"

namespace qzt {

void commitSidePanelEdit(HWND, WORD) {}
void onFramesCombo(HWND) {}

}  // namespace qzt
