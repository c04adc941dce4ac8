// The one way out of the editor.
#pragma once

namespace qzt {

// Destroys the main window, releases what the run held and ends the message loop.
void ExitEditor();
// What lives for the whole run and is not left to the end of the process.
void ReleaseEditorResources();

}  // namespace qzt
