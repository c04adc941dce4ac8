// The level being edited: the document, the main window's editing state over
// it, and the file it was last opened from or saved to.
#pragma once

#include <string>

#include "edit/editor_state.h"
#include "level/level_document.h"

namespace qzt {

struct Session {
    LevelDocument document;
    EditorState state;
    // Set by every successful open and save; empty while no level is open.
    std::string levelPath;
};

extern Session session;

}  // namespace qzt
