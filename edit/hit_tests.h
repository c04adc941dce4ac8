// What a pointer at a level point or bitmap point is over. Bounds are
// strict, and the lowest used slot wins; -1 when nothing is hit.
#pragma once

#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

// Inside an image set's first frame (bitmap coordinates).
int imageSetAt(const LevelDocument& doc, Point64 bitmap);
// Inside an enemy, sized as its image set; an enemy whose image set is no
// slot has no hit area (level coordinates).
int enemyAt(const LevelDocument& doc, Point64 level);
// On the five columns around an image set's right edge (bitmap coordinates).
int resizeHandleAt(const LevelDocument& doc, Point64 bitmap);

}  // namespace qzt
