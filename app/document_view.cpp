#include "app/document_view.h"

#include <string>

#include "app/side_panel.h"
#include "app/status_bar.h"
#include "win32/control_text.h"
#include "win32/document_changes.h"
#include "win32/level_view.h"
#include "win32/shell.h"

namespace qzt {

void refreshCaption() {
    // A load that fails sets the caption by its own rules.
    if (!session.document.loaded) return;
    showText(shell.mainWindow, ((levelModified() ? "*" : "") + std::string(session.document.header.title)).c_str());
}

void showDocumentInMainWindow(DocumentChange event) {
    refreshCaption();
    if (session.document.loaded) RedrawLevelView();
    refreshEnemyPanel();
    refreshImageSetPanel();
    refreshRecordingLine();
    showSelectionInStatus();
    // A load ends any recording.
    if (event == DocumentChange::Opened || event == DocumentChange::Reloaded)
        SetWindowTextA(shell.recordStepsText, "0");
}

}  // namespace qzt
