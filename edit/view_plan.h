// What a redraw of the level view shows: the background at the scroll
// position, every placed enemy as its image set's first frame, and while
// recording the recording enemy once more and the steps of its movement. Or,
// while the level plays, the enemies as they are at one game frame.
#pragma once

#include <cstdint>
#include <string>

#include "edit/editor_state.h"
#include "edit/in_place_list.h"
#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

// One copy out of the level bitmap into the main window's client area.
struct BitmapCopy {
    int x = 0, y = 0, width = 0, height = 0;
    int sourceX = 0, sourceY = 0;
    bool operator==(const BitmapCopy& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height && sourceX == o.sourceX &&
               sourceY == o.sourceY;
    }
};

// The copies of one redraw: the background, every enemy slot and the
// recording enemy. Held in place: a drag redraws on every move.
using ViewCopies = InPlaceList<BitmapCopy, 1 + MAX_ENEMIES + 1>;

// A rectangle of one-pixel lines between these client points, both ends
// included: a selected enemy's outline, just outside its box, or the band.
struct PlanRectangle {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PlanRectangle& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
constexpr uint32_t SelectionColour = 0x00FFFF;  // a COLORREF: RGB(255, 255, 0)

struct ViewPlan {
    // In drawing order: the background first, then the enemies in slot order,
    // then the recording enemy; later copies cover earlier ones.
    ViewCopies copies;
    // Over the copies, in SelectionColour; none while recording.
    InPlaceList<PlanRectangle, MAX_ENEMIES + 1> rectangles;
    bool writesSteps = false;  // only while recording
    std::string stepsText;
};

ViewPlan planLevelView(const LevelDocument& doc, const EditorState& state, Scroll scroll);

// The view at a game frame of the level's motion (edit/motion.h), outside
// recording: every drawn enemy as its current frame at its current position.
// Made afresh each frame, from the document as it is then.
ViewPlan planLevelViewAt(const LevelDocument& doc, Scroll scroll, int64_t gameFrame);

}  // namespace qzt
