// The main window laid out for the DPI of its monitor and the view's zoom,
// and sized to fit: each level pixel a block of zoom x zoom screen pixels,
// from 1 up to the largest zoom whose window fits the monitor's work area.
#pragma once

#include <windows.h>

namespace qzt {

// The zooms whose window fits, 1 to largest, and the default among them:
// the DPI's scale rounded.
struct ZoomRange {
    int defaultZoom;
    int largest;
};
ZoomRange zoomRange();
int defaultZoom();
// Lays the window out for that zoom (held to 1..largestZoom) and sizes it.
void setZoom(int zoom);

// "QZT Level Editor" at its least size, centred on the work area's right and
// bottom edges, with the menu bar; stored in shell.mainWindow.
void createMainWindow(HMENU menuBar);

// At start-up, centred on the work area's right and bottom edges as the
// window was made; and for a new DPI, at the place Windows suggests.
void layOutMainWindow();
void onDpiChanged(UINT dpi, const RECT& suggested);
// The window's size at dpi with its default zoom there.
SIZE mainWindowSizeAt(UINT dpi);

}  // namespace qzt
