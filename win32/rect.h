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

// Where a child window lies in its parent's client area.
inline RECT rectInParent(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace qzt
