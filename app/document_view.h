// The main window as a view of the document: the level view, the side panel,
// the recording line and the caption, shown again after every change.
#pragma once

#include "win32/session.h"

namespace qzt {

void showDocumentInMainWindow(DocumentChange event);

// The recording line's program: the one being recorded, else the last one
// recorded while it exists; "NONE" before any recording.
void refreshRecordingLine();

}  // namespace qzt
