// Drawing the level view straight into the main window: the background at the
// scroll bars' positions, every placed enemy, and while recording the
// recording enemy and its step count.
#pragma once

#include "edit/view_geometry.h"

namespace qzt {

void RedrawLevelView();

// The scroll bars' positions, which the view shows from.
Scroll scrollPosition();

}  // namespace qzt
