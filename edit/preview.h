// What a timer tick draws over the view: the next movement of the selected
// enemy's program as a coloured path, and the outline of every image set in
// the blinking colour. All points are client points of the main window.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "edit/editor_state.h"
#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

using Colour = uint32_t;  // a COLORREF: 0x00BBGGRR

struct ClientPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ClientPoint& other) const { return x == other.x && y == other.y; }
};

// Every redraw puts the preview back on the selected enemy, at its first movement.
void restartPreview(const LevelDocument& doc, EditorState& state, Scroll scroll);

struct PreviewStroke {
    enum Kind { Line, Circle } kind = Line;
    Colour colour = 0;
    ClientPoint from;  // a line from here to `to`
    ClientPoint to;
    // A circle in the box (left, top)-(right, bottom).
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct PreviewTick {
    bool runs = false;     // a level is loaded and the selected enemy has a program slot
    bool draws = false;    // `stroke` is to be drawn
    PreviewStroke stroke;
};
// The next movement's stroke; advances the preview and wraps it back onto
// the enemy after the last movement.
PreviewTick advancePreview(const LevelDocument& doc, EditorState& state, Scroll scroll);

// Red shading toward orange: movement `step` of a program of `count`.
Colour previewColour(int32_t count, int32_t step);

constexpr Colour OutlineGreen = 0x00FA00;
constexpr Colour OutlineBlue = 0xFA0000;

// A box around the first frame, then around the strip of frameCount cells.
using OutlinePolyline = std::array<ClientPoint, 8>;
struct OutlinePlan {
    bool runs = false;  // a level is loaded
    Colour colour = 0;
    std::vector<OutlinePolyline> polylines;  // used image sets in slot order
};
// Toggles the blink, then gives the outlines in the new colour.
OutlinePlan nextOutlines(const LevelDocument& doc, EditorState& state, Scroll scroll);
// The outlines in slot order, without touching the blink.
std::vector<OutlinePolyline> outlinePolylines(const LevelDocument& doc, Scroll scroll);

}  // namespace qzt
