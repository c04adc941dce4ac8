// One copy out of a bitmap, through a memory context that lives for that copy.
#pragma once

#include <windows.h>

namespace qzt {

void copyFromBitmap(HDC target, int x, int y, int width, int height, HBITMAP source, int sourceX, int sourceY);

}  // namespace qzt
