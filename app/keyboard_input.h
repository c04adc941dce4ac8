// Keys of the main window: the shortcuts of its menus, and the recording keys.
#pragma once

#include <windows.h>

namespace qzt {

void onKeyDown(WPARAM key);

// Every message the loop takes: a shortcut pressed in the main window or one
// of its controls becomes its command, except the keys an edit box keeps for
// its own text (Ctrl+Z, X, C, V, A and Y, Del). True when it did.
bool translateShortcut(MSG& message);

}  // namespace qzt
