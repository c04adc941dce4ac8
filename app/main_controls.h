// The main window's scroll bars and side panel.
#pragma once

namespace qzt {

// The thirty child controls in their fixed order, and the eight frame counts
// of FramesCombo. The scroll bars start hidden.
void createMainControls();

}  // namespace qzt
