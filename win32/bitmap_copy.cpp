#include "win32/bitmap_copy.h"

#include "win32/gdi_guards.h"

namespace qzt {

void copyFromBitmap(HDC target, int x, int y, int width, int height, HBITMAP source, int sourceX, int sourceY) {
    MemoryDC memory(target);
    Selection selected(memory, source);
    BitBlt(target, x, y, width, height, memory, sourceX, sourceY, SRCCOPY);
}

}  // namespace qzt
