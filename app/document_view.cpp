#include "app/document_view.h"

#include "app/side_panel.h"
#include "win32/control_text.h"
#include "win32/level_view.h"
#include "win32/shell.h"

namespace qzt {

void showDocumentInMainWindow(DocumentChange event) {
    const LevelDocument& doc = session.document;
    // A load sets the caption by its own rules, also when it fails.
    if (event == DocumentChange::Edited && doc.loaded) showText(shell.mainWindow, doc.header.title);
    if (doc.loaded) RedrawLevelView();
    refreshEnemyPanel();
    refreshImageSetPanel();
    refreshRecordingLine();
    // A load ends any recording.
    if (event != DocumentChange::Edited) SetWindowTextA(shell.recordStepsText, "0");
}

}  // namespace qzt
