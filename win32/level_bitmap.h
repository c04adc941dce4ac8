// The one loaded bitmap, the logo first and then each level's, and swapping
// it for another file's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace qzt {

// The palette, width and height are written by LoadBmpFile through pointers.
struct LevelBitmapCells {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

extern LevelBitmapCells levelBitmap;

// Loads path and only then swaps it in for the level bitmap, its palette and
// size; then realises the palette in the main window and sets the vertical
// scroll range over its rows. A file that cannot be read changes nothing:
// false, with the cause in why when given.
bool swapLevelBitmap(const char* path, std::string* why = nullptr);

// No level bitmap any more: what a failed open leaves.
void dropLevelBitmap();

}  // namespace qzt
