// Rectangles for FillRect and friends, written as left, top, right, bottom.
#pragma once

#include <windows.h>

namespace qzt {

inline RECT makeRect(LONG left, LONG top, LONG right, LONG bottom) {
    RECT rect;
    rect.left = left;
    rect.top = top;
    rect.right = right;
    rect.bottom = bottom;
    return rect;
}

}  // namespace qzt
