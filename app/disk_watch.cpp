#include "app/disk_watch.h"

#include <windows.h>

#include <string>

#include "app/file_commands.h"
#include "edit/file_watch.h"
#include "level/dat_reader.h"
#include "win32/document_changes.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/modal.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char ReloadQuestion[] = "The level file was changed by another program. Reload it and lose your changes?";

FileWatch levelWatch;
FileWatch bitmapWatch;

void onLevelFileChanged() {
    if (levelModified() && ask(ReloadQuestion, LoadingCaption, MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST) != IDYES)
        return;
    reloadLevelFile();
}

// Another bitmap named since the last look is only taken note of: whoever
// named it loaded it.
void watchBitmap(uint64_t nowMs) {
    const std::string path = levelBitmapPath(session.levelPath.c_str(), session.document.header.bitmapPath);
    if (bitmapWatch.path() != path) {
        bitmapWatch.know(path, fileStamp(path.c_str()), std::nullopt);
        return;
    }
    if (!bitmapWatch.changed(nowMs)) return;
    if (swapLevelBitmap(path.c_str()))
        bitmapChanged();
    else
        notice(loadResultMessage(LoadBitmapError), LoadingCaption);
}

}  // namespace

void knowLevelFile(std::optional<uint64_t> fingerprint) {
    const char* path = session.levelPath.c_str();
    if (*path)
        levelWatch.know(path, fileStamp(path), fingerprint);
    else
        levelWatch.stop();
}

void watchLevelFiles(uint64_t nowMs) {
    if (!levelWatch.due(nowMs) && !bitmapWatch.due(nowMs)) return;
    // One question at a time is enough, and its answer acts on the level it
    // was asked about.
    if (modalUp() || session.levelPath.empty() || !session.document.loaded) return;
    if (levelWatch.changed(nowMs)) onLevelFileChanged();
    if (session.document.loaded) watchBitmap(nowMs);
}

}  // namespace qzt
