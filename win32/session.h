// The level being edited: the document, the main window's editing state over
// it, the file it was last opened from or saved to, its history, and the
// windows that show it.
#pragma once

#include <string>
#include <vector>

#include "edit/editor_state.h"
#include "edit/history.h"
#include "level/level_document.h"

namespace qzt {

// What a window that shows the document is told after a change.
enum class DocumentChange {
    Edited,  // a gesture, an undo or a redo changed the document
    Opened,  // another level was opened, or an open failed
    Reloaded,  // the open level read again from its file: shown on, as after an edit
    Selected,  // only the selection or the scroll position changed
    Bitmap,    // only the level's bitmap was read again
};
using DocumentView = void (*)(DocumentChange);

struct Session {
    LevelDocument document;
    EditorState state;
    // Set by every successful open and save; empty while no level is open.
    std::string levelPath;
    History history;
    // Told in the order they were added.
    std::vector<DocumentView> views;
};

extern Session session;

}  // namespace qzt
