#include "app/shutdown.h"

#include <windows.h>

#include "app/recent_files_store.h"
#include "app/startup.h"
#include "win32/level_bitmap.h"
#include "win32/shell.h"
#include "windows/level_properties_window.h"

namespace qzt {

void ExitEditor() {
    DestroyWindow(shell.mainWindow);
    ReleaseEditorResources();
    PostQuitMessage(0);
}

// The header texts, FileNameBuffer and the bitmap's size live inside the
// editor's own storage: nothing to free for them. The level bitmap, the clip
// region and the other tool windows end with the process.
void ReleaseEditorResources() {
    if (levelBitmap.palette) DeleteObject(levelBitmap.palette);
    levelBitmap.palette = nullptr;
    destroyLevelPropertiesWindow();
    KillTimer(shell.mainWindow, EditorTimerId);
    finishRecentFiles();
}

}  // namespace qzt
