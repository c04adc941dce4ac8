// The editor's commands, by the ids their menu items and shortcuts carry, and
// whether each can act in the editor's state: a menu greys those that cannot.
#pragma once

#include <cstdint>

#include "edit/editor_state.h"

namespace qzt {

enum EditorCommand : uint16_t {
    OpenCommand = 1,
    SaveAsCommand = 2,
    ExitCommand = 3,
    PropertiesCommand = 4,
    NewEnemyCommand = 5,
    NewImageSetCommand = 6,
    NewProgramCommand = 7,
    EditProgramCommand = 9,
    SaveCommand = 10,
    UndoCommand = 11,
    RedoCommand = 12,
    DeleteCommand = 13,
    ZoomInCommand = 14,
    ZoomOutCommand = 15,
    ActualSizeCommand = 16,
    ShortcutsCommand = 17,
    AboutCommand = 18,
    CutCommand = 19,
    CopyCommand = 20,
    PasteCommand = 21,
    DuplicateCommand = 22,
    SelectAllCommand = 23,
    PlayMotionCommand = 24,
    CheckCommand = 25,
    // The recent files, most recent first.
    FirstRecentFileCommand = 100,
};

// What the commands depend on.
struct CommandState {
    bool loaded = false;
    EditorMode mode = Normal;
    bool dragging = false;  // an enemy, an image set, a band or a set's edge
    bool canUndo = false;
    bool canRedo = false;
    bool selection = false;  // an enemy or an image set
    bool canPaste = false;   // the clipboard holds items or text
    bool motionShown = false;  // the level plays, or is paused
    int zoom = 1;
    int defaultZoom = 1;
    int largestZoom = 1;
};

bool commandAvailable(EditorCommand command, const CommandState& state);

}  // namespace qzt
