// Where a window's controls go at a DPI: the table's positions and sizes
// (in pixels at 96 DPI) scaled, each control widened where its text needs
// more room, and what follows it on its row moved right by as much, so that
// no text is cut and no two controls overlap. Tops stay where the table puts
// them, scaled.
#pragma once

#include <climits>
#include <vector>

namespace qzt {

constexpr int BaseDpi = 96;

// Table units, in pixels at 96 DPI, to pixels at dpi: n x dpi / 96, rounded.
int scaled(int units, int dpi);

// One axis of table positions to pixels. From edge on (the view's far side in
// the main window, which the view's own magnification moves), a position is
// measured from where edge lies in pixels.
struct AxisScale {
    int dpi = BaseDpi;
    int edge = INT_MAX;  // table units
    int edgeAt = 0;      // pixels
    int operator()(int units) const { return units < edge ? scaled(units, dpi) : edgeAt + scaled(units - edge, dpi); }
};

struct ControlSpot {
    int x = 0, y = 0, width = 0, height = 0;  // table units
    int needs = 0;  // pixels its widest text takes at the DPI, frame included; 0 for none
};

struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const PixelBox& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Controls whose tops lie this close in table units share a row.
constexpr int RowTolerance = 8;

// The boxes of the spots, in the same order.
std::vector<PixelBox> layOutControls(const std::vector<ControlSpot>& spots, AxisScale x, AxisScale y);

}  // namespace qzt
