#include "app/recovery.h"

#include <windows.h>

#include <memory>
#include <string>

#include "edit/recovery_schedule.h"
#include "gfx/offscreen_load_steps.h"
#include "level/atomic_file.h"
#include "level/dat_writer.h"
#include "level/file_paths.h"
#include "level/file_state.h"
#include "level/regular_file.h"
#include "win32/document_changes.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char RestoreQuestion[] =
    "This level has changes that were not saved when the editor last closed. Restore them?";

RecoverySchedule schedule;
// The history's version the recovery file last received.
uint64_t writtenVersion = 0;

std::string recoveryPath() { return recoveryPathOf(session.levelPath); }

void writeRecoveryFile(uint64_t nowMs) {
    std::string why;
    const bool written = replaceFileAtomically(recoveryPath().c_str(), serializeLevel(session.history.current()), why);
    schedule.tried(nowMs, written);
    if (written) writtenVersion = session.history.version();
}

}  // namespace

// Each tick looks at the history's state only: a gesture reaches the file
// once it has ended.
void keepRecoveryFile(uint64_t nowMs) {
    if (session.levelPath.empty() || !session.document.loaded) return;
    const History& history = session.history;
    const bool unsaved = history.modified();
    switch (schedule.next(nowMs, unsaved, unsaved && history.version() != writtenVersion)) {
    case RecoverySchedule::Action::Write:
        writeRecoveryFile(nowMs);
        break;
    case RecoverySchedule::Action::Remove:
        dropRecoveryFile();
        break;
    case RecoverySchedule::Action::Nothing:
        break;
    }
}

void dropRecoveryFile() {
    if (schedule.exists() && !session.levelPath.empty()) DeleteFileW(widePath(recoveryPath().c_str()).c_str());
    schedule.removed();
    writtenVersion = 0;
}

bool recoveryWanted(const char* path) {
    const std::string recovery = recoveryPathOf(path);
    if (!fileStamp(recovery.c_str()).exists) return false;
    const auto probe = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    if (loadLevelFile(recovery.c_str(), *probe, steps) != LoadOk) return false;
    if (MessageBoxA(shell.mainWindow, RestoreQuestion, LoadingCaption, MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST) ==
        IDYES)
        return true;
    DeleteFileW(widePath(recovery.c_str()).c_str());
    return false;
}

void recoveryOpened(bool restored) {
    schedule = RecoverySchedule{};
    writtenVersion = restored ? session.history.version() : 0;
    if (restored) schedule.found();
}

}  // namespace qzt
