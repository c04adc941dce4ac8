// The main window's menu bar and its keyboard shortcuts, both from one table:
// each item's text carries its access key and its shortcut's name.
#pragma once

#include <windows.h>

#include <string>

#include "edit/editor_commands.h"

namespace qzt {

using MenuCommand = EditorCommand;

// The bar and its pop-ups, filled for the editor's state now.
HMENU createMenuBar();
// A pop-up about to open: its items again, the recent files and the undo
// step's name among them, those that cannot act now greyed.
void refreshPopup(HMENU popup);

// What the commands' availability depends on, now.
CommandState commandState();

// The accelerator table of every item's shortcut; lives for the run.
HACCEL shortcutTable();

// Every key of the editor with what it does, for Help.
std::string shortcutsText();

}  // namespace qzt
