// Pictures of a level without a window: the level bitmap with the enemies
// drawn as the view draws them, still or at a game frame of their motion, and
// optionally the image-set outlines and every enemy's program path as the
// timer draws them.
#pragma once

#include <cstdint>
#include <optional>

#include "edit/preview.h"
#include "edit/view_geometry.h"
#include "gfx/rgb_image.h"
#include "level/level_document.h"

namespace qzt {

struct RenderLayers {
    bool enemies = true;
    bool paths = true;     // every used enemy's program, from its position
    bool outlines = true;  // every used image set
};

// The level area starts at LevelOriginRow; the whole bitmap at row 0.
enum class LevelArea { LevelRows, WholeBitmap };

// Outlines blink in the editor; a picture takes one of the two colours.
constexpr Colour RenderedOutlineColour = OutlineGreen;

// Without a game frame the enemies stand still as the view shows them: each
// where it is placed, as its image set's first frame.
using GameFrame = std::optional<int64_t>;

// The bitmap's rows of the area, with the layers over them.
RgbImage renderLevel(const LevelDocument& doc, const RgbImage& bitmap, LevelArea area, RenderLayers layers,
                     GameFrame frame = std::nullopt);

// The 500 x 380 view at scroll position (h, v). With the default layers,
// exactly what a redraw outside recording puts there with the editor in
// state (its selection outlined), or at a game frame what the view shows
// playing; pixels that no copy reaches are black.
RgbImage renderView(const LevelDocument& doc, const RgbImage& bitmap, Scroll scroll,
                    RenderLayers layers = {true, false, false}, GameFrame frame = std::nullopt,
                    const EditorState& state = EditorState{});

// The strokes of the enemy's program, one per movement that draws, from the
// enemy's position: what the preview draws over as many ticks.
std::vector<PreviewStroke> programStrokes(const LevelDocument& doc, int enemySlot, Scroll scroll);

}  // namespace qzt
