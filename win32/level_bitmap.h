// The level bitmap on screen: its palette realised in the main window and the
// vertical scroll range over its rows; and swapping it for another file's.
#pragma once

#include <windows.h>

namespace qzt {

// dc is the main window's.
void showLevelBitmapCells(HDC dc);

// Loads path and only then replaces the level bitmap, its palette and size,
// and shows it as above. A file that cannot be read changes nothing: false.
bool replaceLevelBitmap(const char* path);

}  // namespace qzt
