#include "app/shutdown.h"

#include <windows.h>

#include "win32/editor_globals.h"
#include "app/startup.h"

namespace qzt {

void ExitEditor() {
    DestroyWindow(editor.main.window);
    ReleaseEditorResources();
    PostQuitMessage(0);
}

// The header texts, FileNameBuffer and the bitmap's size live inside the
// editor's own storage: nothing to free for them. The level bitmap, the clip
// region and the other tool windows end with the process.
void ReleaseEditorResources() {
    LevelBitmapCells& cells = editor.levelBitmap;
    if (cells.palette) DeleteObject(cells.palette);
    cells.palette = nullptr;
    if (editor.tools.levelPropertiesWindow) DestroyWindow(editor.tools.levelPropertiesWindow);
    editor.tools.levelPropertiesWindow = nullptr;
    KillTimer(editor.main.window, EditorTimerId);
}

}  // namespace qzt
