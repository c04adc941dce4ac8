// What GDI does to the view, done on a picture instead: copies out of the
// level bitmap, one-pixel pen lines and the preview's STOP circle. A canvas
// shows part of the main window's client area; nothing is drawn outside it.
#pragma once

#include "edit/preview.h"
#include "edit/view_plan.h"
#include "gfx/rgb_image.h"

namespace qzt {

struct Canvas {
    RgbImage& image;
    int left, top;  // the client point shown at pixel (0, 0)
};

Rgb rgbOf(Colour colour);

// BitBlt with SRCCOPY: pixels whose source lies outside the bitmap are left
// alone. A copy with a negative extent draws nothing.
void copyPixels(Canvas canvas, const RgbImage& bitmap, const BitmapCopy& copy);
// MoveToEx and LineTo with a one-pixel pen: the end point is not drawn. Lines
// run in the eight keypad directions.
void drawLine(Canvas canvas, ClientPoint from, ClientPoint to, Rgb colour);
// The four one-pixel sides of a rectangle, as MoveToEx and four LineTo from
// corner to corner draw it: every pixel of its edge, corners included.
void drawRectangle(Canvas canvas, const PlanRectangle& rectangle, Rgb colour);
// Ellipse in the stroke's 6 x 6 box: outline in the pen colour, filled white
// like the window's default brush.
void drawStopCircle(Canvas canvas, const PreviewStroke& stroke, Rgb colour);

}  // namespace qzt
