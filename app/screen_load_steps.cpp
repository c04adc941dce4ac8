#include "app/screen_load_steps.h"

#include "app/editor_globals.h"
#include "app/level_bitmap.h"
#include "gfx/bitmap_copy.h"
#include "gfx/bmp_loader.h"

namespace qzt {

ScreenLoadSteps::~ScreenLoadSteps() { releaseWindowDc(); }

void ScreenLoadSteps::releaseWindowDc() {
    if (windowDc_) ReleaseDC(editor.main.window, windowDc_);
    windowDc_ = nullptr;
}

void ScreenLoadSteps::resetScrollPositions() {
    editor.state.hScroll = 0;
    editor.state.vScroll = 0;
}

bool ScreenLoadSteps::replaceBitmap(const char* path, std::string& why) {
    LevelBitmapCells& cells = editor.levelBitmap;
    releaseWindowDc();
    windowDc_ = GetDC(editor.main.window);
    DeleteObject(cells.bitmap);
    cells.bitmap = nullptr;
    if (path) cells.bitmap = LoadBmpFile(path, windowDc_, &cells.palette, &cells.width, &cells.height, &why);
    if (cells.bitmap) return true;
    releaseWindowDc();
    return false;
}

void ScreenLoadSteps::showBitmap() {
    const LevelBitmapCells& cells = editor.levelBitmap;
    showLevelBitmapCells(windowDc_);

    // The level from its top-left corner, before any record is read.
    copyFromBitmap(windowDc_, ViewLeft, ViewTop, ViewWidth, ViewHeight, cells.bitmap, 0, LevelOriginRow);
    releaseWindowDc();
}

void ScreenLoadSteps::setCaption(const char* text) { SetWindowTextA(editor.main.window, text); }

}  // namespace qzt
