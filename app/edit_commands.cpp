#include "app/edit_commands.h"

#include "app/side_panel.h"
#include "edit/enemy_selection.h"
#include "edit/recording.h"
#include "edit/view_editing.h"
#include "win32/document_changes.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char MovementCaption[] = "Movement editing Error";
constexpr char InUseText[] = "Image Set is in use by an enemy.  Could not delete.";

}  // namespace

// Refused or not, the selections go.
void deleteCommand(StepName name) {
    const SelectionDeletion outcome = deleteSelection(session.document, session.state);
    if (!outcome.acted) return;
    if (outcome.imageSetInUse) notice(InUseText, EditingCaption);
    selectOnlyEnemy(session.state, -1);
    session.state.selectedImageSet = -1;
    if (!finishGesture(name)) showSelection();
}

// The new set's outline first shows with the next timer tick.
void newImageSetCommand() {
    if (newImageSet(session.document) < 0) notice("Too many Image sets already.", "Image Set Creation Error");
    finishGesture(StepName::NewImageSet);
}

// The view is not redrawn until the first recording key; the recording ends
// its gesture with Enter.
void newProgramCommand() {
    switch (startRecording(session.document, session.state)) {
    case RecordingStart::NoEnemySelected:
        notice("No Enemy Selected.  Must have an enemy selected for this action.", MovementCaption);
        return;
    case RecordingStart::NoFreeProgram:
        notice("No empty movement programs.  Please delete one.", MovementCaption);
        return;
    case RecordingStart::Started:
        break;
    }
    refreshRecordingLine();
}

}  // namespace qzt
