// The scroll bars' codes applied to a tracked position.
#pragma once

#include <cstdint>

#include "edit/view_geometry.h"

namespace qzt {

// The scroll bar codes as Windows numbers them.
enum ScrollCode : int {
    LineBack = 0,     // SB_LINELEFT / SB_LINEUP
    LineForward = 1,  // SB_LINERIGHT / SB_LINEDOWN
    PageBack = 2,
    PageForward = 3,
    ThumbTrack = 5,
};

// Horizontal range 0..140; thumb is the position a thumb track reports.
int horizontalScroll(int code, int position, int thumb);
// Vertical range 0..maximum.
int verticalScroll(int code, int position, int thumb, int maximum);

// The largest vertical position for a bitmap of this height (negative for a
// top-down one): none below zero, so a short bitmap does not scroll.
int verticalScrollMax(int32_t bitmapHeight);

// The scroll position that brings a level point to the view's middle, as
// near as the ranges allow.
Scroll scrollShowing(int64_t levelX, int64_t levelY, int verticalMaximum);

}  // namespace qzt
