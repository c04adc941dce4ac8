// The main window as a view of the document: the level view, the side panel,
// the recording line and the caption, shown again after every change.
#pragma once

#include "win32/session.h"

namespace qzt {

void showDocumentInMainWindow(DocumentChange event);

}  // namespace qzt
