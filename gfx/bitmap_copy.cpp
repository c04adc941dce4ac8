#include "gfx/bitmap_copy.h"

namespace qzt {

void copyFromBitmap(HDC target, int x, int y, int width, int height, HBITMAP source, int sourceX, int sourceY) {
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(memory, source);
    BitBlt(target, x, y, width, height, memory, sourceX, sourceY, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

}  // namespace qzt
