#include "win32/level_bitmap.h"

#include "win32/editor_globals.h"
#include "win32/bmp_loader.h"
#include "win32/gdi_guards.h"

namespace qzt {

void showLevelBitmapCells(HDC dc) {
    const LevelBitmapCells& cells = editor.levelBitmap;
    SelectPalette(dc, cells.palette, TRUE);
    RealizePalette(dc);
    // A top-down file keeps its negative height in the cell; it has as many rows.
    SetScrollRange(editor.main.verticalScrollBar, SB_CTL, 0, int(bitmapRows(cells.height)) - VerticalScrollMargin, TRUE);
}

bool replaceLevelBitmap(const char* path) {
    const WindowDC dc(editor.main.window);
    LevelBitmapCells loaded;
    loaded.bitmap = LoadBmpFile(path, dc, &loaded.palette, &loaded.width, &loaded.height);
    if (!loaded.bitmap) {
        if (loaded.palette) DeleteObject(loaded.palette);
        return false;
    }
    LevelBitmapCells& cells = editor.levelBitmap;
    if (cells.bitmap) DeleteObject(cells.bitmap);
    if (cells.palette) DeleteObject(cells.palette);
    cells = loaded;
    showLevelBitmapCells(dc);
    return true;
}

}  // namespace qzt
