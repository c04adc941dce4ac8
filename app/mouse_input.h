// Presses, moves and releases in the main window: selection, dragging and
// resizing image sets by their handle.
#pragma once

#include <windows.h>

namespace qzt {

// Shown over an image set's resize handle.
extern const HCURSOR ResizeCursor;

// With Ctrl, an enemy goes in or out of the selection and a band adds to it.
void onButtonDown(bool leftButton, bool ctrl, LPARAM position);
void onMouseMove(LPARAM position);
void onButtonUp();
void onCaptureLost();
void onMouseLeave();

}  // namespace qzt
