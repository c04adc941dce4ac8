// The side panel: its refreshes after a selection or a drag, and what its
// enemy edits and Frames list write back.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qzt {

void refreshImageSetPanel();
void refreshEnemyPanel();
void refreshImageSetPosition();
void refreshEnemyPosition();

// EN_KILLFOCUS of one of the five enemy edits commits its number.
void commitSidePanelEdit(HWND control, WORD notification);
// Any notification of the Frames list sets the selected image set's frames.
void onFramesCombo(HWND control);

// Blanks (left, top)-(right, bottom) of the main window with the panel brush.
void blankArea(int left, int top, int right, int bottom);

}  // namespace qzt
