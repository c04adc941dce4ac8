// Drawing the level view straight into the main window: the background at the
// scroll bars' positions, every placed enemy, and while recording the
// recording enemy and its step count.
#pragma once

#include <windows.h>

#include <cstdint>

#include "edit/view_geometry.h"

namespace qzt {

void RedrawLevelView();

// Blanks the view where a bitmap of that size leaves it uncovered at scroll,
// so that nothing drawn before stays visible there.
void blankUncoveredView(HDC window, int32_t bitmapWidth, int32_t bitmapHeight, Scroll scroll);

// The scroll bars' positions, which the view shows from.
Scroll scrollPosition();

}  // namespace qzt
