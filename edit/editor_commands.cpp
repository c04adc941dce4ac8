#include "edit/editor_commands.h"

namespace qzt {

bool commandAvailable(EditorCommand command, const CommandState& s) {
    // Nothing acts on the level halfway through a drag: its end is the step.
    const bool betweenGestures = s.loaded && s.mode == Normal && !s.dragging;
    switch (command) {
    case SaveCommand:
    case SaveAsCommand:
    case PropertiesCommand:
        return s.loaded && !s.dragging;
    case CheckCommand:
        return s.loaded;
    case NewEnemyCommand:
    case NewImageSetCommand:
    case NewProgramCommand:
    case EditProgramCommand:
    case SelectAllCommand:
        return betweenGestures;
    case UndoCommand:
        return betweenGestures && s.canUndo;
    case RedoCommand:
        return betweenGestures && s.canRedo;
    case DeleteCommand:
    case CutCommand:
    case CopyCommand:
    case DuplicateCommand:
        return betweenGestures && s.selection;
    case PasteCommand:
        return betweenGestures && s.canPaste;
    case PlayMotionCommand:
        return betweenGestures || s.motionShown;
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
