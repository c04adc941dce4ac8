// Key-downs of the main window: undo and redo, the recording keys and Delete.
#pragma once

#include <windows.h>

namespace qzt {

void onKeyDown(WPARAM key);

// Ctrl+Z and Ctrl+Y pressed in one of the main window's controls go to the
// main window, as if it had the focus; an edit box keeps them for its own
// text. Called on every message the loop takes.
void routeUndoKeys(MSG& message);

}  // namespace qzt
