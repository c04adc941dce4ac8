#include "app/edit_commands.h"

#include "app/main_controls.h"
#include "app/side_panel.h"
#include "edit/recording.h"
#include "edit/view_editing.h"
#include "win32/control_text.h"
#include "win32/rect.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char MovementCaption[] = "Movement editing Error";

}  // namespace

// The new set's outline first shows with the next timer tick.
void newImageSetCommand() {
    if (newImageSet(session.document) < 0) notice("Too many Image sets already.", "Image Set Creation Error");
}

// The view is not redrawn until the first recording key.
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
    blankAreas({makeRect(200, 410, 250, 432)});
    setDecimalText(sidePanel.recordProgramText, session.state.recordProgram);
}

}  // namespace qzt
