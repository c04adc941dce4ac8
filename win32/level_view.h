// Drawing the level view: the background at the scroll bars' positions, every
// placed enemy, and while recording the recording enemy and its step count.
// The view is drawn into a picture of one pixel a level pixel, which is then
// shown magnified by the view's zoom, each level pixel a square block.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "edit/view_geometry.h"

namespace qzt {

void RedrawLevelView();

// Draws on the view's picture, in the client coordinates of the unmagnified
// view (ViewLeft, ViewTop at its corner), then shows it in the window.
void drawOnView(const std::function<void(HDC)>& draw);

// Shows the picture again, as after a zoom or a new DPI.
void presentView();

// Blanks the view where a bitmap of that size leaves it uncovered at scroll,
// so that nothing drawn before stays visible there.
void blankUncoveredView(HDC view, int32_t bitmapWidth, int32_t bitmapHeight, Scroll scroll);

// The scroll bars' positions, which the view shows from.
Scroll scrollPosition();

}  // namespace qzt
