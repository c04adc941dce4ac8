// The status bar under the main window: the pointer's level point while it
// is over the view, the selection, and the view's zoom.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "edit/view_geometry.h"

namespace qzt {

void createStatusBar();
// Its font and parts for dpi, at the window's bottom; its height.
int layOutStatusBar(UINT dpi);
// At the window's bottom again, after the window changed its size.
void fitStatusBar();
int statusBarHeight();
// "X, Y", or nothing with the pointer elsewhere.
void showPointerInStatus(std::optional<Point64> level);
// "Enemy 3", "Image set 2" or nothing; and "200 %".
void showSelectionInStatus();
void showZoomInStatus();
// "Frame N" while the level plays; nothing else.
void showMotionInStatus();

// The part's text, as the status bar shows it.
std::string statusText(int part);

}  // namespace qzt
