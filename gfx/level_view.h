// Drawing the level view straight into the main window: the background at the
// scroll bars' positions, every placed enemy, and while recording the
// recording enemy and its step count.
#pragma once

namespace qzt {

void RedrawLevelView();

}  // namespace qzt
