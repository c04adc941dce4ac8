// The File menu and leaving the editor: opening and saving level data files
// through the shared file dialog record, and the save prompt.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

namespace qzt {

// Set up at start-up: the one record both file dialogs use, proposing
// FileNameBuffer (empty at first).
void setUpFileDialogRecord();
const OPENFILENAMEA& fileDialogRecord();

// Loads the level at path, or its recovery file when the user wants the
// changes kept there, and reports the outcome as "Open" does; true when the
// level loaded.
bool openLevelFile(const char* path);
// The open level read again from its file, changed by another program: the
// scroll position and the selections of slots still used stay. A file that
// does not load now is reported, and the level stays as it was.
void reloadLevelFile();
// A level named on the command line, opened as if chosen in the open dialog.
void openLevelFromCommandLine(const char* commandLine);

// Asks about saving first when the level has unsaved changes.
void openCommand();
// One of the recent files, as if chosen in the open dialog; one that no
// longer opens is dropped from the list.
void openRecentFile(size_t index);
// "Save": the level to its own file, without a dialog.
void saveCommand();
// "Save As...": the save dialog first.
void saveAsCommand();
// "Exit" and closing the window: asks about saving when a level is loaded,
// and leaves only after a completed save or "No".
void leaveEditor();

}  // namespace qzt
