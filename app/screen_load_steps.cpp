#include "app/screen_load_steps.h"

#include "win32/editor_globals.h"
#include "win32/level_bitmap.h"
#include "win32/bitmap_copy.h"
#include "win32/bmp_loader.h"
#include "win32/level_view.h"

namespace qzt {

void ScreenLoadSteps::resetScrollPositions() {
    editor.state.hScroll = 0;
    editor.state.vScroll = 0;
}

bool ScreenLoadSteps::replaceBitmap(const char* path, std::string& why) {
    LevelBitmapCells& cells = editor.levelBitmap;
    windowDc_.emplace(editor.main.window);
    DeleteObject(cells.bitmap);
    cells.bitmap = nullptr;
    if (path) cells.bitmap = LoadBmpFile(path, *windowDc_, &cells.palette, &cells.width, &cells.height, &why);
    if (cells.bitmap) return true;
    windowDc_.reset();
    return false;
}

void ScreenLoadSteps::showBitmap() {
    const LevelBitmapCells& cells = editor.levelBitmap;
    HDC window = *windowDc_;
    showLevelBitmapCells(window);

    // The level from its top-left corner, before any record is read.
    blankUncoveredView(window, cells.width, cells.height, {0, 0});
    copyFromBitmap(window, ViewLeft, ViewTop, ViewWidth, ViewHeight, cells.bitmap, 0, LevelOriginRow);
    windowDc_.reset();
}

void ScreenLoadSteps::setCaption(const char* text) { SetWindowTextA(editor.main.window, text); }

}  // namespace qzt
