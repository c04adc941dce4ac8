// The one way every change of the document goes: a gesture runs its rule on
// session.document and then ends here, where the change becomes a step of
// the history and every window shows the document again.
#pragma once

#include "win32/session.h"

namespace qzt {

// A window that shows the document; added when the window is made.
void addDocumentView(DocumentView view);

// Ends a gesture (a click, a whole drag, a commit, a recording, a tool
// window's action), a step of that name; nudges in a row, nothing else
// between, are one step. A gesture that left the document as it was records
// and redraws nothing: false.
bool finishGesture(StepName name);

// After every load, successful or not: the editing starts over (no recording,
// no selection), the history starts from what was loaded, and the windows
// show it. What was loaded counts as saved, unless the file on disk holds
// another level (onDisk): changes restored from a recovery file.
void levelOpened(const LevelDocument* onDisk = nullptr);

// The open level read again from its file, changed by another program: the
// history starts from it; the scroll positions and the selections of slots
// still used stay as they were before the load, and the windows that show the
// level go on showing it.
void levelReloaded(const EditorState& before);

// A window other than the main one chose what is selected, or where the
// view looks: the windows show it.
void selectionChanged();
// The level's bitmap was read again, the document unchanged.
void bitmapChanged();

// The document reached its file.
void levelSaved();

// Whether the document differs from what was last loaded or saved.
bool levelModified();

// Ctrl+Z and Ctrl+Y: the whole document as before or after the step; the
// command's availability keeps them between gestures in Normal mode.
void undoStep();
void redoStep();

}  // namespace qzt
