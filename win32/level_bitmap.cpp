#include "win32/level_bitmap.h"

#include "edit/view_geometry.h"
#include "win32/bmp_loader.h"
#include "win32/gdi_guards.h"
#include "win32/shell.h"

namespace qzt {

LevelBitmapCells levelBitmap;

bool swapLevelBitmap(const char* path, std::string* why) {
    const WindowDC dc(shell.mainWindow);
    LevelBitmapCells loaded;
    loaded.bitmap = LoadBmpFile(path, dc, &loaded.palette, &loaded.width, &loaded.height, why);
    if (!loaded.bitmap) {
        if (loaded.palette) DeleteObject(loaded.palette);
        return false;
    }
    dropLevelBitmap();
    if (levelBitmap.palette) DeleteObject(levelBitmap.palette);
    levelBitmap = loaded;
    SelectPalette(dc, levelBitmap.palette, TRUE);
    RealizePalette(dc);
    // A top-down file keeps its negative height in the cell; it has as many rows.
    SetScrollRange(shell.verticalScrollBar, SB_CTL, 0, int(bitmapRows(levelBitmap.height)) - VerticalScrollMargin,
                   TRUE);
    return true;
}

void dropLevelBitmap() {
    if (levelBitmap.bitmap) DeleteObject(levelBitmap.bitmap);
    levelBitmap.bitmap = nullptr;
}

}  // namespace qzt
