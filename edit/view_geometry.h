// Where the level view lies in the main window and how its points map to
// level and bitmap coordinates at scroll position (h, v).
#pragma once

#include <climits>
#include <cstdint>

#include "level/level_document.h"

namespace qzt {

// The level view, in client coordinates of the main window.
constexpr int ViewLeft = 10;
constexpr int ViewTop = 10;
constexpr int ViewWidth = 500;
constexpr int ViewHeight = 380;
// The vertical scroll range is 0..(bitmap height - this): the bitmap's last
// row then lies at the bottom of the view.
constexpr int VerticalScrollMargin = LevelOriginRow + ViewHeight;
constexpr int HorizontalScrollMax = 140;

// Positions and sizes come from the data file or from dragging unchecked;
// GDI takes ints.
inline int clampToInt(int64_t value) {
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

struct Scroll {
    int h = 0;
    int v = 0;
};

// Where the view lies in the main window, and how many screen pixels wide and
// high each level pixel is drawn (the zoom). The editing rules work on client
// points of the view as if it lay at (ViewLeft, ViewTop) unmagnified.
struct ViewPlacement {
    int left = ViewLeft;
    int top = ViewTop;
    int zoom = 1;
    int right() const { return left + ViewWidth * zoom; }
    int bottom() const { return top + ViewHeight * zoom; }
};

// Rounds toward minus infinity: a point left of the view stays left of it.
inline int floorDivide(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The point of the unmagnified view that client point (cx, cy) shows.
inline int unzoomedX(int cx, const ViewPlacement& p) { return ViewLeft + floorDivide(cx - p.left, p.zoom); }
inline int unzoomedY(int cy, const ViewPlacement& p) { return ViewTop + floorDivide(cy - p.top, p.zoom); }

struct Point64 {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const Point64& o) const { return x == o.x && y == o.y; }
};

// A client point of the main window (cx, cy as a mouse message gives them).
inline Point64 levelPoint(int cx, int cy, Scroll s) { return {int64_t(s.h) + cx - ViewLeft, int64_t(s.v) + cy - ViewTop}; }
inline Point64 bitmapPoint(int cx, int cy, Scroll s) {
    const Point64 level = levelPoint(cx, cy, s);
    return {level.x, level.y + LevelOriginRow};
}
inline bool insideView(int cx, int cy) {
    return cx >= ViewLeft && cx < ViewLeft + ViewWidth && cy >= ViewTop && cy < ViewTop + ViewHeight;
}

// The rows of a bitmap of this height: a top-down one's is negative.
inline int64_t bitmapRows(int32_t height) { return height < 0 ? -int64_t(height) : int64_t(height); }

// Whether a bitmap of this size fills the whole view at scroll position s.
inline bool bitmapCoversView(int32_t width, int32_t height, Scroll s) {
    return s.h >= 0 && s.v >= 0 && int64_t(s.h) + ViewWidth <= width &&
           int64_t(s.v) + LevelOriginRow + ViewHeight <= bitmapRows(height);
}

// Client position of a level point.
inline int clientXOfLevel(int64_t x, Scroll s) { return clampToInt(x - s.h + ViewLeft); }
inline int clientYOfLevel(int64_t y, Scroll s) { return clampToInt(y - s.v + ViewTop); }

}  // namespace qzt
