#include "edit/editor_commands.h"

namespace qzt {

bool commandAvailable(EditorCommand command, const CommandState& s) {
    const bool normal = s.loaded && s.mode == Normal;
    const bool betweenGestures = normal && !s.dragging;
    switch (command) {
    case SaveCommand:
    case SaveAsCommand:
    case PropertiesCommand:
    case CheckCommand:
        return s.loaded;
    case NewEnemyCommand:
    case NewImageSetCommand:
    case NewProgramCommand:
    case EditProgramCommand:
        return normal;
    case UndoCommand:
        return betweenGestures && s.canUndo;
    case RedoCommand:
        return betweenGestures && s.canRedo;
    case DeleteCommand:
    case CutCommand:
    case CopyCommand:
    case DuplicateCommand:
        return normal && s.selection;
    case PasteCommand:
        return normal && s.canPaste;
    case SelectAllCommand:
        return normal;
    case PlayMotionCommand:
        return normal || s.motionShown;
    case ZoomInCommand:
        return s.zoom < s.largestZoom;
    case ZoomOutCommand:
        return s.zoom > 1;
    case ActualSizeCommand:
        return s.zoom != s.defaultZoom;
    default:  // Open, Exit, the recent files and Help
        return true;
    }
}

}  // namespace qzt
