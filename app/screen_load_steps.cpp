#include "app/screen_load_steps.h"

#include "win32/bitmap_copy.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {

void ScreenLoadSteps::resetScrollPositions() {
    session.state.trackedHScroll = 0;
    session.state.trackedVScroll = 0;
}

// A level whose bitmap cannot be read is left with none.
bool ScreenLoadSteps::replaceBitmap(const char* path, std::string& why) {
    if (path && swapLevelBitmap(path, &why)) return true;
    dropLevelBitmap();
    return false;
}

// The level from its top-left corner, before any record is read.
void ScreenLoadSteps::showBitmap() {
    drawOnView([](HDC view) {
        blankUncoveredView(view, levelBitmap.width, levelBitmap.height, {0, 0});
        copyFromBitmap(view, ViewLeft, ViewTop, ViewWidth, ViewHeight, levelBitmap.bitmap, 0, LevelOriginRow);
    });
}

void ScreenLoadSteps::setCaption(const char* text) { SetWindowTextA(shell.mainWindow, text); }

}  // namespace qzt
