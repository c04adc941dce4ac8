// The side panel and the recording line: their refreshes, which write only
// what changed, and what the enemy edits and Frames list write back.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace qzt {

void refreshImageSetPanel();
void refreshEnemyPanel();
// A new selection: the view and both panels.
void showSelection();
void refreshImageSetPosition();
void refreshEnemyPosition();
// The recording line's program: the one being recorded, else the last one
// recorded while it exists; "NONE" before any recording.
void refreshRecordingLine();

// EN_KILLFOCUS of one of the five enemy edits commits its number; a number
// that changes nothing is replaced by the enemy's own.
void commitSidePanelEdit(HWND control, WORD notification);
// A number typed into one of the enemy edits, not yet committed by the focus
// leaving it, is committed now, as the focus leaving it would.
void commitPendingEdit();
// Any notification of the Frames list sets the selected image set's frames.
void onFramesCombo(HWND control);

// Blanks areas of the main window with the panel brush, through one context.
void blankAreas(std::initializer_list<RECT> areas);

}  // namespace qzt
