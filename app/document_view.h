// The main window as a view of the document: the level view, the side panel,
// the recording line, the status bar and the caption, shown again after every
// change.
#pragma once

#include "win32/session.h"

namespace qzt {

void showDocumentInMainWindow(DocumentChange event);

// The level's title, after "*" while it has unsaved changes.
void refreshCaption();

}  // namespace qzt
