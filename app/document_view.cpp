#include "app/document_view.h"

#include "app/main_controls.h"
#include "app/side_panel.h"
#include "edit/slot_rules.h"
#include "win32/control_text.h"
#include "win32/level_view.h"
#include "win32/rect.h"
#include "win32/shell.h"

namespace qzt {

void refreshRecordingLine() {
    const EditorState& state = session.state;
    blankAreas({makeRect(200, 410, 250, 432)});
    const bool recorded = state.recordEnemy >= 0 &&
                          (state.mode == Recording || isUsedSlot(session.document.programs, state.recordProgram));
    if (recorded)
        setDecimalText(sidePanel.recordProgramText, state.recordProgram);
    else
        SetWindowTextA(sidePanel.recordProgramText, "NONE");
}

void showDocumentInMainWindow(DocumentChange event) {
    const LevelDocument& doc = session.document;
    // A load sets the caption by its own rules, also when it fails.
    if (event == DocumentChange::Edited && doc.loaded) SetWindowTextA(shell.mainWindow, doc.header.title);
    if (doc.loaded) RedrawLevelView();
    refreshEnemyPanel();
    refreshImageSetPanel();
    refreshRecordingLine();
    if (event == DocumentChange::Opened) SetWindowTextA(shell.recordStepsText, "0");
}

}  // namespace qzt
