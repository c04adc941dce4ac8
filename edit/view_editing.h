// What a press, a move, a release, the Delete key and the arrow keys do to
// the document and the editor state, and the side panel's commits. Each
// returns what changed, so the window code knows what to redraw and which
// panel texts to write.
#pragma once

#include <cstdint>

#include "edit/editor_state.h"
#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

// A mouse message's client point and the scroll bars' positions.
struct Pointer {
    int cx = 0;
    int cy = 0;
    Scroll scroll;
};

// A press, first: with a level in Normal mode, the image set and the enemy
// under the pointer become the selections, and the left button starts a
// drag; one on empty view space starts a rubber band instead. With adding
// (Ctrl held) the enemy under the pointer goes in or out of the selection,
// and a band adds to it. A press on an enemy among several selected keeps
// them all for the drag. True when the selections were made: redraw and
// refresh both panels.
bool selectAt(const LevelDocument& doc, EditorState& state, bool leftButton, Pointer p, bool adding = false);
// Then, in every mode and even with no level: a press on an image set's
// handle selects it and starts resizing. True when it did.
bool grabResizeHandle(const LevelDocument& doc, EditorState& state, Pointer p);

struct MoveOutcome {
    bool overResizeHandle = false;
    bool resized = false;        // redraw
    bool movedImageSet = false;  // redraw, refresh the image set's position
    bool movedEnemy = false;     // redraw, refresh the enemy's position
    bool movedBand = false;      // redraw
};
// Dragging moves every selected enemy with the primary one, whose top-left
// corner goes to the pointer; positions saturate.
MoveOutcome movePointer(LevelDocument& doc, EditorState& state, Pointer p);

// A drag, a resize or a band is under way: the button went down and has not
// come up.
bool gestureUnderWay(const EditorState& state);

// The end of a drag, a resize or a band; a band drawn out selects the
// enemies whose boxes it touches. True when the selection changed: refresh.
bool releaseButton(const LevelDocument& doc, EditorState& state);

struct SelectionDeletion {
    bool acted = false;        // redraw, then clear both selections
    bool imageSetInUse = false;  // refused: tell the user
};
// The selected enemies, else the selected image set unless a used enemy uses it.
SelectionDeletion deleteSelection(LevelDocument& doc, const EditorState& state);

// Moves the selected enemies, else the selected image set, by (dx, dy);
// positions saturate at the ends of 32 bits. True when something moved.
bool nudgeSelection(LevelDocument& doc, const EditorState& state, int dx, int dy);

// The five enemy edits of the side panel.
enum class EnemyField { Program, ImageSet, HitPoints, Speed, AnimationRate };
// Writes value into every selected enemy; a program or image set that is no
// used slot is ignored. False when nothing applies (no level, not Normal,
// no enemy selected).
bool commitEnemyField(LevelDocument& doc, const EditorState& state, EnemyField field, int32_t value);

// The Frames list's selection (-1 for none) as the selected image set's
// frame count. True when the view is to be redrawn.
bool applyFramesSelection(LevelDocument& doc, const EditorState& state, int selection);
// The Frames list's item for a frame count, -1 when it has none.
int framesSelectionOf(int32_t frameCount);

// A new image set in the lowest free slot, at level (1, 1), 40 x 50, two
// frames; its slot, or -1 when all are used.
int newImageSet(LevelDocument& doc);

// An enemy's (width + 2) x (height + 2) box as the view draws it, level
// coordinates, right and bottom excluded; none for an enemy without a used
// image set.
struct LevelBox {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
};
bool enemyBox(const LevelDocument& doc, int slot, LevelBox& box);

}  // namespace qzt
